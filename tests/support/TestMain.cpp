#include "support/TestMain.h"

#include <memory>

std::vector<std::function<QObject *()>> &pelvarTestRegistry()
{
    static std::vector<std::function<QObject *()>> registry;
    return registry;
}

int pelvarRunTests(int argc, char **argv)
{
    int failed = 0;
    for (const auto &make : pelvarTestRegistry()) {
        std::unique_ptr<QObject> test(make());
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
