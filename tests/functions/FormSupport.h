#pragma once
// Helpers for the function-window tests: reading what a window shows and changing the show
// the way the tick or another window would, under the show lock.

#include "FunctionRig.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

// Writes as another window would: the value is held.
inline void holdValue(FunctionRig& rig, int index, std::uint8_t value)
{
    std::lock_guard lock(rig.lock);
    rig.dmx.setManual(index, value);
}

inline void tick(FunctionRig& rig)
{
    std::lock_guard lock(rig.lock);
    rig.dmx.keepHeldOnly();
}

inline bool isRed(const QPushButton* button)
{
    return button->palette().color(QPalette::ButtonText) == QColor(Qt::red);
}
