#include "support/TestMain.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // The windows' tests need widgets; CTest runs them on the offscreen platform.
    QApplication app(argc, argv);
    return pelvarRunTests(argc, argv);
}
