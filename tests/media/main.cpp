#include "support/TestMain.h"

#include <QGuiApplication>

int main(int argc, char **argv)
{
    // Pictures are painted with QPainter and text measured with fonts: a GUI application.
    QGuiApplication app(argc, argv);
    return pelvarRunTests(argc, argv);
}
