#pragma once

#include <QObject>
#include <QTest>

#include <functional>
#include <vector>

// Several test classes in one executable: each file registers its class with PELVAR_TEST.
std::vector<std::function<QObject *()>> &pelvarTestRegistry();

struct PelvarTestRegistrar
{
    explicit PelvarTestRegistrar(std::function<QObject *()> make)
    {
        pelvarTestRegistry().push_back(std::move(make));
    }
};

#define PELVAR_TEST(Class)                                                                         \
    static PelvarTestRegistrar pelvarRegistrar_##Class([]() -> QObject * { return new Class; });

int pelvarRunTests(int argc, char **argv);
