#pragma once
// The device editor's bindings: each ties one block of the working device type to the
// controls that show it, takes their events, and has one refresh that copies the block into
// the controls and sets which of them can be used. Edit fields commit when they lose the
// focus; text that is not a number in the field's range is ignored without a message.

#include "library/Device.h"

#include <QLineEdit>
#include <QObject>
#include <QPointer>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;
class TPStringGrid;

namespace devedit {

QString dmxValueWarning();
QString channelWarning();
// The edit's text as an integer; -1 for text that is not one.
int numberIn(const QString& text);
void warn(QWidget* owner, const QString& text);

// A picture chosen by the operator: its BMP bytes and the file's name without folder and
// extension (cp1250). Nothing when the operator cancelled or the file is not a picture,
// which has then been reported.
struct ChosenPicture {
    KyPicture bmp;
    std::string name;
};
std::optional<ChosenPicture> askForPicture(QWidget* owner);

} // namespace devedit

class KyBlockEdit : public QObject {
    Q_OBJECT
public:
    explicit KyBlockEdit(QObject* parent) : QObject(parent) {}

    // Stores the edit's number when it lies in lo..hi. Both store only what the operator
    // typed: a field merely passed through keeps the block's value, even one the field
    // cannot show whole (a long name, a channel of three digits from a file).
    void commitNumberOnLeave(QLineEdit* edit, int lo, int hi, std::function<void(int)> store);
    void commitTextOnLeave(QLineEdit* edit, std::function<void(const std::string&)> store);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void commitOnLeave(QLineEdit* edit, std::function<void(const QString&)> store);

    // Guarded: the page that holds an edit may go while a message box is open.
    std::vector<std::pair<QPointer<QLineEdit>, std::function<void(const QString&)>>> commits_;
};

struct KyShutterControls {
    QCheckBox* active;
    QLineEdit* channel;
    QLineEdit* on;
    QLineEdit* off;
};

class KyShutterEdit : public KyBlockEdit {
    Q_OBJECT
public:
    KyShutterEdit(KyShutter& block, const KyShutterControls& controls, QObject* parent);
    void refresh();

private:
    KyShutter& block_;
    KyShutterControls c_;
};

// A control left out (null) is hidden: its field keeps its stored value.
struct KyDimmerControls {
    QCheckBox* active = nullptr;
    QLineEdit* name = nullptr;
    QLineEdit* channel = nullptr;
    QLineEdit* min = nullptr;
    QLineEdit* max = nullptr;
    QCheckBox* invert = nullptr;
};

class KyDimmerEdit : public KyBlockEdit {
    Q_OBJECT
public:
    KyDimmerEdit(KyDimmer& block, const KyDimmerControls& controls, QObject* parent);
    // The fields can be used only while the active check box can and the block is active.
    virtual void refresh();
    const KyDimmerControls& controls() const { return c_; }

signals:
    void activeClicked();

protected:
    bool fieldsEnabled() const;

    KyDimmer& block_;
    KyDimmerControls c_;
};

// A dimmer block used as the strobe, which also has the value that stops it.
class KyStrobeEdit : public KyDimmerEdit {
    Q_OBJECT
public:
    KyStrobeEdit(KyDimmer& block, const KyDimmerControls& controls, QLineEdit* off, QObject* parent);
    void refresh() override;

private:
    QLineEdit* off_;
};

struct KyPanTiltControls {
    QCheckBox* active;
    QLabel* modeLabel;
    QRadioButton* mode8bit;
    QRadioButton* mode16bit;
    QLabel* panLabel;
    QLabel* tiltLabel;
    QLineEdit* panFine;
    QLineEdit* pan;
    QLineEdit* tiltFine;
    QLineEdit* tilt;
    KyDimmerControls control1;
    KyDimmerControls control2;
};

class KyPanTiltEdit : public KyBlockEdit {
    Q_OBJECT
public:
    KyPanTiltEdit(KyPanTilt& block, const KyPanTiltControls& controls, QObject* parent);
    void refresh();

private:
    KyPanTilt& block_;
    KyPanTiltControls c_;
    KyDimmerEdit* control1_;
    KyDimmerEdit* control2_;
};

struct KyColorMixerControls {
    QCheckBox* active;
    QLabel* modeLabel;
    QRadioButton* rgb;
    QRadioButton* cmy;
    std::array<QLabel*, 3> labels;
    std::array<KyDimmerControls, 3> components;
};

class KyColorMixerEdit : public KyBlockEdit {
    Q_OBJECT
public:
    KyColorMixerEdit(KyColorMixer& block, const KyColorMixerControls& controls, QObject* parent);
    void refresh();

private:
    KyColorMixer& block_;
    KyColorMixerControls c_;
    std::array<KyDimmerEdit*, 3> components_;
};

// A channel/value list: the channel column is read-only, values are edited in the grid.
class KyEditChValue : public QObject {
    Q_OBJECT
public:
    KyEditChValue(KyChValue& list, QCheckBox* active, TPStringGrid* grid, QPushButton* add, QPushButton* erase,
                  QWidget* owner);
    void refresh();

private:
    void addClick();
    void eraseClick();
    bool commitValue(int row, const QString& text);

    KyChValue& list_;
    QCheckBox* active_;
    TPStringGrid* grid_;
    QPushButton* add_;
    QPushButton* erase_;
    QWidget* owner_;
};

struct KyGoboControls {
    KyDimmerControls wheel;
    KyDimmerControls control1;
    KyDimmerControls control2;
    TPStringGrid* palette;
    QFrame* previewBorder;
    QLabel* preview;
    QPushButton* add;
    QPushButton* change;
    QPushButton* erase;
};

// A wheel with its palette of slots.
class KyGoboEdit : public QObject {
    Q_OBJECT
public:
    KyGoboEdit(KyGobo& gobo, const KyGoboControls& controls, QWidget* owner);
    void refresh();
    // The operator left the page: commits what is typed and puts the slots in value order.
    void leave();

private:
    void fillPalette();
    void showPicture(int row);
    bool commitCell(int row, int column, const QString& text, bool quiet);
    void addClick();
    void changeClick();
    void eraseClick();
    bool slotRow(int row) const { return row >= 0 && row < static_cast<int>(gobo_.slotCount()); }

    KyGobo& gobo_;
    KyGoboControls c_;
    QWidget* owner_;
    KyDimmerEdit* wheel_;
    KyDimmerEdit* control1_;
    KyDimmerEdit* control2_;
};

// The dimmer pack's entries in a grid; the last column's check box marks intensity channels.
class KyDimmersEdit : public QObject {
    Q_OBJECT
public:
    enum Column { Number, Name, Channel, Min, Max, Intensity };

    KyDimmersEdit(KyDimmers& dimmers, TPStringGrid* grid, QPushButton* add, QPushButton* erase, QWidget* owner);
    void refresh();

private:
    bool commitCell(int row, int column, const QString& text, bool quiet);
    void toggleIntensity(int row, int column);
    void addClick();
    void eraseClick();
    bool entryRow(int row) const { return row >= 0 && row < static_cast<int>(dimmers_.dimmCount()); }

    KyDimmers& dimmers_;
    TPStringGrid* grid_;
    QWidget* owner_;
};
