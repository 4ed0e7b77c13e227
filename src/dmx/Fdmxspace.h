#pragma once
// The universe monitor "Przestrzeń DMX": all 512 channel values as numbers, ten per row.
// It only reads the universe, as a copy taken under the show lock.

#include "dmx/Universe.h"

#include <QWidget>

#include <mutex>

class QTableWidget;

class TDmxSpaceForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 10;
    static constexpr int kRows = (KyUniverse::kChannels + kColumns - 1) / kColumns;

    // A tool window that stays on top of `parent`, normally the main window.
    TDmxSpaceForm(const KyUniverse& dmx, std::mutex& showLock, QWidget* parent = nullptr);

    QTableWidget* grid() const { return grid_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildGrid();
    void refresh();

    const KyUniverse& dmx_;
    std::mutex& showLock_;
    QTableWidget* grid_ = nullptr;
};
