#pragma once

#include <QStringList>

// The built-in tips and the random choice among them.
class TipList
{
public:
    static const QStringList &builtIn();

    // Index 1..count with equal chance, from a number in [0, 1).
    static int randomIndex(int count, double unit);
};
