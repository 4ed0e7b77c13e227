#include "library/Fdevedit.h"

#include "common/PFileChooser.h"
#include "common/PPicture.h"
#include "common/PStringGrid.h"
#include "common/PText.h"
#include "library/Fchanneldlg.h"

#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QRadioButton>

namespace devedit {

QString dmxValueWarning()
{
    return KyDimmersEdit::tr("Nieprawidłowa wartość DMX\nPoprawne wartości : 0-255");
}

QString channelWarning()
{
    return KyDimmersEdit::tr("Nieprawidłowy numer kanału\nPoprawne wartości : 1-32");
}

int numberIn(const QString& text)
{
    bool ok = false;
    int value = text.trimmed().toInt(&ok);
    return ok ? value : -1;
}

void warn(QWidget* owner, const QString& text)
{
    QMessageBox::warning(owner, KyDimmersEdit::tr("Ostrzeżenie"), text, QMessageBox::Ok);
}

const QString kPictureFolderKey = QStringLiteral("pictures/folder");

std::optional<ChosenPicture> askForPicture(QWidget* owner)
{
    vt::FileRequest request;
    request.filter = KyDimmersEdit::tr("Bitmaps (*.bmp)");
    request.defaultSuffix = QStringLiteral("bmp");
    // Pictures come in sets: the next one is looked for where the last one was found.
    QSettings settings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel"));
    request.folder = settings.value(kPictureFolderKey).toString();
    QString path = vt::chooseFile(owner, request);
    if (path.isEmpty())
        return std::nullopt;
    settings.setValue(kPictureFolderKey, QFileInfo(path).absolutePath());
    auto bmp = vt::bmpFromImage(QImage(path));
    if (!bmp) {
        QMessageBox::critical(owner, KyDimmersEdit::tr("Błąd"), KyDimmersEdit::tr("Nieprawidłowy format pliku grafiki !!!"),
                              QMessageBox::Cancel);
        return std::nullopt;
    }
    return ChosenPicture{KyPicture(bmp->begin(), bmp->end()), vt::toCp1250(QFileInfo(path).completeBaseName())};
}

} // namespace devedit

namespace {

using devedit::numberIn;

void showNumber(QLineEdit* edit, int value, bool enabled)
{
    if (!edit)
        return;
    edit->setText(QString::number(value));
    edit->setEnabled(enabled);
}

void showCheck(QCheckBox* box, bool checked, bool enabled)
{
    if (!box)
        return;
    box->setChecked(checked);
    box->setEnabled(enabled);
}

void setColour(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, colour);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    label->setPalette(palette);
}

std::uint8_t asByte(int value)
{
    return static_cast<std::uint8_t>(value);
}

} // namespace

// ---- KyBlockEdit

void KyBlockEdit::commitOnLeave(QLineEdit* edit, std::function<void(const QString&)> store)
{
    if (!edit)
        return;
    edit->installEventFilter(this);
    commits_.emplace_back(edit, std::move(store));
}

void KyBlockEdit::commitNumberOnLeave(QLineEdit* edit, int lo, int hi, std::function<void(int)> store)
{
    commitOnLeave(edit, [lo, hi, store = std::move(store)](const QString& text) {
        int value = numberIn(text);
        if (value >= lo && value <= hi)
            store(value);
    });
}

void KyBlockEdit::commitTextOnLeave(QLineEdit* edit, std::function<void(const std::string&)> store)
{
    commitOnLeave(edit, [store = std::move(store)](const QString& text) { store(vt::toCp1250(text)); });
}

bool KyBlockEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut)
        for (auto& [edit, store] : commits_)
            if (edit == watched && edit->isModified()) {
                edit->setModified(false);
                store(edit->text());
                break;
            }
    return QObject::eventFilter(watched, event);
}

// ---- KyShutterEdit

KyShutterEdit::KyShutterEdit(KyShutter& block, const KyShutterControls& controls, QObject* parent)
    : KyBlockEdit(parent), block_(block), c_(controls)
{
    connect(c_.active, &QCheckBox::clicked, this, [this](bool checked) {
        block_.active = checked;
        refresh();
    });
    commitNumberOnLeave(c_.channel, 1, 32, [this](int v) { block_.channel = v; });
    commitNumberOnLeave(c_.on, 0, 255, [this](int v) { block_.onValue = asByte(v); });
    commitNumberOnLeave(c_.off, 0, 255, [this](int v) { block_.offValue = asByte(v); });
}

void KyShutterEdit::refresh()
{
    c_.active->setChecked(block_.active);
    showNumber(c_.channel, block_.channel, block_.active);
    showNumber(c_.on, block_.onValue, block_.active);
    showNumber(c_.off, block_.offValue, block_.active);
}

// ---- KyDimmerEdit and KyStrobeEdit

KyDimmerEdit::KyDimmerEdit(KyDimmer& block, const KyDimmerControls& controls, QObject* parent)
    : KyBlockEdit(parent), block_(block), c_(controls)
{
    if (c_.active)
        connect(c_.active, &QCheckBox::clicked, this, [this](bool checked) {
            block_.active = checked;
            refresh();
            emit activeClicked();
        });
    if (c_.invert)
        connect(c_.invert, &QCheckBox::clicked, this, [this](bool checked) { block_.invert = checked; });
    commitTextOnLeave(c_.name, [this](const std::string& name) { block_.name = name; });
    commitNumberOnLeave(c_.channel, 1, 32, [this](int v) { block_.channel = v; });
    commitNumberOnLeave(c_.min, 0, 255, [this](int v) { block_.minValue = asByte(v); });
    commitNumberOnLeave(c_.max, 0, 255, [this](int v) { block_.maxValue = asByte(v); });
}

bool KyDimmerEdit::fieldsEnabled() const
{
    return (!c_.active || c_.active->isEnabled()) && block_.active;
}

void KyDimmerEdit::refresh()
{
    if (c_.active)
        c_.active->setChecked(block_.active);
    bool enabled = fieldsEnabled();
    if (c_.name) {
        c_.name->setText(vt::fromCp1250(block_.name));
        c_.name->setEnabled(enabled);
    }
    showNumber(c_.channel, block_.channel, enabled);
    showNumber(c_.min, block_.minValue, enabled);
    showNumber(c_.max, block_.maxValue, enabled);
    showCheck(c_.invert, block_.invert, enabled);
}

KyStrobeEdit::KyStrobeEdit(KyDimmer& block, const KyDimmerControls& controls, QLineEdit* off, QObject* parent)
    : KyDimmerEdit(block, controls, parent), off_(off)
{
    commitNumberOnLeave(off_, 0, 255, [this](int v) { block_.offValue = asByte(v); });
}

void KyStrobeEdit::refresh()
{
    KyDimmerEdit::refresh();
    showNumber(off_, block_.offValue, fieldsEnabled());
}

// ---- KyPanTiltEdit

KyPanTiltEdit::KyPanTiltEdit(KyPanTilt& block, const KyPanTiltControls& controls, QObject* parent)
    : KyBlockEdit(parent), block_(block), c_(controls),
      control1_(new KyDimmerEdit(block.control1, controls.control1, this)),
      control2_(new KyDimmerEdit(block.control2, controls.control2, this))
{
    connect(c_.active, &QCheckBox::clicked, this, [this](bool checked) {
        block_.active = checked;
        refresh();
    });
    for (QRadioButton* mode : {c_.mode8bit, c_.mode16bit})
        connect(mode, &QRadioButton::clicked, this, [this, mode] {
            block_.mode8bit = mode == c_.mode8bit;
            refresh();
        });
    commitNumberOnLeave(c_.panFine, 1, 32, [this](int v) { block_.panFineChannel = v; });
    commitNumberOnLeave(c_.pan, 1, 32, [this](int v) { block_.panChannel = v; });
    commitNumberOnLeave(c_.tiltFine, 1, 32, [this](int v) { block_.tiltFineChannel = v; });
    commitNumberOnLeave(c_.tilt, 1, 32, [this](int v) { block_.tiltChannel = v; });
}

void KyPanTiltEdit::refresh()
{
    bool on = block_.active;
    c_.active->setChecked(on);
    c_.mode8bit->setChecked(block_.mode8bit);
    c_.mode16bit->setChecked(!block_.mode8bit);
    for (QWidget* w : std::initializer_list<QWidget*>{c_.modeLabel, c_.mode8bit, c_.mode16bit, c_.panLabel,
                                                      c_.tiltLabel, c_.control1.active, c_.control2.active})
        w->setEnabled(on);
    showNumber(c_.pan, block_.panChannel, on);
    showNumber(c_.tilt, block_.tiltChannel, on);
    showNumber(c_.panFine, block_.panFineChannel, on && !block_.mode8bit);
    showNumber(c_.tiltFine, block_.tiltFineChannel, on && !block_.mode8bit);
    control1_->refresh();
    control2_->refresh();
}

// ---- KyColorMixerEdit

namespace {

struct MixerComponent {
    const char* rgbName;
    QColor rgbColour;
    const char* cmyName;
    QColor cmyColour;
};

const std::array<MixerComponent, 3> kMixerComponents = {{
    {QT_TRANSLATE_NOOP("KyColorMixerEdit", "Red"), QColor(255, 0, 0), QT_TRANSLATE_NOOP("KyColorMixerEdit", "Cyan"),
     QColor(0, 255, 255)},
    {QT_TRANSLATE_NOOP("KyColorMixerEdit", "Green"), QColor(0, 128, 0),
     QT_TRANSLATE_NOOP("KyColorMixerEdit", "Magenta"), QColor(255, 0, 255)},
    {QT_TRANSLATE_NOOP("KyColorMixerEdit", "Blue"), QColor(0, 0, 255), QT_TRANSLATE_NOOP("KyColorMixerEdit", "Yellow"),
     QColor(255, 255, 0)},
}};

} // namespace

KyColorMixerEdit::KyColorMixerEdit(KyColorMixer& block, const KyColorMixerControls& controls, QObject* parent)
    : KyBlockEdit(parent), block_(block), c_(controls),
      components_{new KyDimmerEdit(block.component1, controls.components[0], this),
                  new KyDimmerEdit(block.component2, controls.components[1], this),
                  new KyDimmerEdit(block.component3, controls.components[2], this)}
{
    connect(c_.active, &QCheckBox::clicked, this, [this](bool checked) {
        block_.active = checked;
        refresh();
    });
    for (QRadioButton* mode : {c_.rgb, c_.cmy})
        connect(mode, &QRadioButton::clicked, this, [this, mode] {
            block_.rgb = mode == c_.rgb;
            refresh();
        });
}

void KyColorMixerEdit::refresh()
{
    bool on = block_.active;
    c_.active->setChecked(on);
    for (QWidget* w : std::initializer_list<QWidget*>{c_.modeLabel, c_.rgb, c_.cmy})
        w->setEnabled(on);
    c_.rgb->setChecked(block_.rgb);
    c_.cmy->setChecked(!block_.rgb);
    std::array<KyDimmer*, 3> blocks = {&block_.component1, &block_.component2, &block_.component3};
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const MixerComponent& look = kMixerComponents[i];
        const char* name = block_.rgb ? look.rgbName : look.cmyName;
        c_.labels[i]->setText(KyColorMixerEdit::tr(name));
        c_.labels[i]->setEnabled(on);
        setColour(c_.labels[i], block_.rgb ? look.rgbColour : look.cmyColour);
        blocks[i]->active = on;
        blocks[i]->name = name;
        components_[i]->refresh();
    }
}

// ---- KyEditChValue

KyEditChValue::KyEditChValue(KyChValue& list, QCheckBox* active, TPStringGrid* grid, QPushButton* add,
                             QPushButton* erase, QWidget* owner)
    : QObject(owner), list_(list), active_(active), grid_(grid), add_(add), erase_(erase), owner_(owner)
{
    grid_->setEditRules({.enterKeepsEditing = false, .moveKeepsCell = true});
    grid_->setCanEdit([this](int row, int column) {
        return column == 1 && row < static_cast<int>(list_.entryCount());
    });
    grid_->setCommit([this](int row, int, const QString& text, TPStringGrid::Commit) { return commitValue(row, text); });
    connect(active_, &QCheckBox::clicked, this, [this](bool checked) {
        list_.active = checked;
        refresh();
    });
    connect(add_, &QPushButton::clicked, this, &KyEditChValue::addClick);
    connect(erase_, &QPushButton::clicked, this, &KyEditChValue::eraseClick);
}

void KyEditChValue::refresh()
{
    int count = static_cast<int>(list_.entryCount());
    grid_->setDataRowCount(count);
    for (int row = 0; row < grid_->rowCount(); ++row) {
        QString channel, value;
        if (row < count) {
            auto entry = list_.entryAt(static_cast<std::size_t>(row));
            channel = QString::number(entry.first);
            value = QString::number(entry.second);
        }
        grid_->setText(row, 0, channel);
        grid_->setText(row, 1, value);
    }
    active_->setChecked(list_.active);
    for (QWidget* w : std::initializer_list<QWidget*>{grid_, add_, erase_})
        w->setEnabled(list_.active);
    if (!list_.active)
        grid_->clearSelection();
    else if (grid_->currentRow() < 0)
        grid_->setCurrentCell(0, 0);
}

bool KyEditChValue::commitValue(int row, const QString& text)
{
    int value = numberIn(text);
    if (value < 0 || value > 255) {
        devedit::warn(owner_, devedit::dmxValueWarning());
        refresh();
        return false;
    }
    list_.setValue(list_.entryAt(static_cast<std::size_t>(row)).first, asByte(value));
    return true;
}

void KyEditChValue::addClick()
{
    int channel = 0;
    TChannelDlgForm dialog(list_, channel, owner_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    std::size_t position = list_.setValue(channel, 0);
    refresh();
    grid_->setCurrentCell(static_cast<int>(position), std::max(grid_->currentColumn(), 0));
}

void KyEditChValue::eraseClick()
{
    int row = grid_->currentRow();
    if (row < 0 || row >= static_cast<int>(list_.entryCount()))
        return;
    list_.eraseEntry(static_cast<std::size_t>(row));
    refresh();
}

// ---- KyGoboEdit

KyGoboEdit::KyGoboEdit(KyGobo& gobo, const KyGoboControls& controls, QWidget* owner)
    : QObject(owner), gobo_(gobo), c_(controls), owner_(owner),
      wheel_(new KyDimmerEdit(gobo.wheel, controls.wheel, this)),
      control1_(new KyDimmerEdit(gobo.control1, controls.control1, this)),
      control2_(new KyDimmerEdit(gobo.control2, controls.control2, this))
{
    connect(wheel_, &KyDimmerEdit::activeClicked, this, &KyGoboEdit::refresh);
    TPStringGrid* palette = c_.palette;
    palette->setColumnSelectable(0, false);
    palette->setEditRules({.enterKeepsEditing = true, .moveKeepsCell = false});
    palette->setCanEdit([this](int row, int column) { return column > 0 && slotRow(row); });
    palette->setCommit([this](int row, int column, const QString& text, TPStringGrid::Commit reason) {
        bool leaving = reason == TPStringGrid::Commit::Leave;
        bool stored = commitCell(row, column, text, leaving);
        if (!stored || leaving)
            refresh();
        return stored;
    });
    connect(palette, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (gobo_.wheel.active)
            showPicture(row);
    });
    connect(c_.add, &QPushButton::clicked, this, &KyGoboEdit::addClick);
    connect(c_.change, &QPushButton::clicked, this, &KyGoboEdit::changeClick);
    connect(c_.erase, &QPushButton::clicked, this, &KyGoboEdit::eraseClick);
}

void KyGoboEdit::refresh()
{
    wheel_->refresh();
    bool on = gobo_.wheel.active;
    fillPalette();
    TPStringGrid* palette = c_.palette;
    if (on)
        palette->setCurrentCell(std::max(palette->currentRow(), 0), std::max(palette->currentColumn(), 1));
    else
        palette->clearSelection();
    QPalette border = c_.previewBorder->palette();
    border.setColor(QPalette::Window, on ? QColor(Qt::white) : border.color(QPalette::Button));
    c_.previewBorder->setPalette(border);
    showPicture(on ? palette->currentRow() : -1);
    for (QWidget* w : std::initializer_list<QWidget*>{palette, c_.add, c_.change, c_.erase,
                                                      c_.control1.active, c_.control2.active})
        w->setEnabled(on);
    control1_->refresh();
    control2_->refresh();
}

void KyGoboEdit::leave()
{
    c_.palette->finishEditing();
    gobo_.sortSlots();
    refresh();
}

void KyGoboEdit::fillPalette()
{
    int count = static_cast<int>(gobo_.slotCount());
    c_.palette->setDataRowCount(count);
    for (int row = 0; row < c_.palette->rowCount(); ++row) {
        const KyIcon* slot = slotRow(row) ? &gobo_.slotAt(static_cast<std::size_t>(row)) : nullptr;
        c_.palette->setText(row, 0, slot ? QString::number(row + 1) : QString());
        c_.palette->setText(row, 1, slot ? vt::fromCp1250(slot->name) : QString());
        c_.palette->setText(row, 2, slot ? QString::number(slot->value) : QString());
    }
}

void KyGoboEdit::showPicture(int row)
{
    if (slotRow(row))
        c_.preview->setPixmap(QPixmap::fromImage(vt::imageFromBmp(gobo_.slotAt(static_cast<std::size_t>(row)).picture)));
    else
        c_.preview->clear();
}

bool KyGoboEdit::commitCell(int row, int column, const QString& text, bool quiet)
{
    KyIcon& slot = gobo_.slotAt(static_cast<std::size_t>(row));
    if (column == 1) {
        slot.name = vt::toCp1250(text);
        return true;
    }
    int value = numberIn(text);
    if (value < 0 || value > 255) {
        if (!quiet)
            devedit::warn(owner_, devedit::dmxValueWarning());
        return false;
    }
    slot.value = value;
    return true;
}

void KyGoboEdit::addClick()
{
    auto picture = devedit::askForPicture(owner_);
    if (!picture)
        return;
    gobo_.addSlot(KyIcon{picture->name, picture->bmp, 0});
    refresh();
    c_.palette->setCurrentCell(c_.palette->rowCount() - 1, std::max(c_.palette->currentColumn(), 1));
}

void KyGoboEdit::changeClick()
{
    int row = c_.palette->currentRow();
    if (!slotRow(row))
        return;
    auto picture = devedit::askForPicture(owner_);
    if (!picture)
        return;
    KyIcon& slot = gobo_.slotAt(static_cast<std::size_t>(row));
    slot.picture = std::move(picture->bmp);
    slot.name = std::move(picture->name);
    refresh();
}

void KyGoboEdit::eraseClick()
{
    int row = c_.palette->currentRow();
    if (!slotRow(row))
        return;
    gobo_.eraseSlot(static_cast<std::size_t>(row));
    refresh();
}

// ---- KyDimmersEdit

KyDimmersEdit::KyDimmersEdit(KyDimmers& dimmers, TPStringGrid* grid, QPushButton* add, QPushButton* erase,
                             QWidget* owner)
    : QObject(owner), dimmers_(dimmers), grid_(grid), owner_(owner)
{
    grid_->setColumnSelectable(Number, false);
    grid_->setColumnSelectable(Intensity, false);
    grid_->setColumnMaxLength(Name, 25);
    grid_->setEditRules({.enterKeepsEditing = true, .moveKeepsCell = false});
    grid_->setCanEdit([this](int row, int column) { return column >= Name && column <= Max && entryRow(row); });
    grid_->setCommit([this](int row, int column, const QString& text, TPStringGrid::Commit reason) {
        bool leaving = reason == TPStringGrid::Commit::Leave;
        bool stored = commitCell(row, column, text, leaving);
        if (!stored || leaving)
            refresh();
        return stored;
    });
    connect(grid_, &TPStringGrid::checkClicked, this, &KyDimmersEdit::toggleIntensity);
    connect(add, &QPushButton::clicked, this, &KyDimmersEdit::addClick);
    connect(erase, &QPushButton::clicked, this, &KyDimmersEdit::eraseClick);
}

void KyDimmersEdit::refresh()
{
    int count = static_cast<int>(dimmers_.dimmCount());
    grid_->setDataRowCount(count);
    for (int row = 0; row < grid_->rowCount(); ++row) {
        const KyDimm* entry = entryRow(row) ? &dimmers_.dimmAt(static_cast<std::size_t>(row)) : nullptr;
        auto number = [entry](int value) { return entry ? QString::number(value) : QString(); };
        grid_->setText(row, Number, number(row + 1));
        grid_->setText(row, Name, entry ? vt::fromCp1250(entry->name) : QString());
        grid_->setText(row, Channel, number(entry ? entry->channel : 0));
        grid_->setText(row, Min, number(entry ? entry->minValue : 0));
        grid_->setText(row, Max, number(entry ? entry->maxValue : 0));
        grid_->setCheck(row, Intensity, entry ? std::optional<bool>(entry->isIntensity) : std::nullopt);
    }
    if (grid_->currentRow() < 0)
        grid_->setCurrentCell(0, Name);
}

bool KyDimmersEdit::commitCell(int row, int column, const QString& text, bool quiet)
{
    KyDimm& entry = dimmers_.dimmAt(static_cast<std::size_t>(row));
    if (column == Name) {
        entry.name = vt::toCp1250(text);
        return true;
    }
    int value = numberIn(text);
    bool channel = column == Channel;
    if (channel ? value < 1 || value > 32 : value < 0 || value > 255) {
        if (!quiet)
            devedit::warn(owner_, channel ? devedit::channelWarning() : devedit::dmxValueWarning());
        return false;
    }
    if (channel)
        entry.channel = value;
    else
        (column == Min ? entry.minValue : entry.maxValue) = asByte(value);
    return true;
}

void KyDimmersEdit::toggleIntensity(int row, int column)
{
    if (column != Intensity || !entryRow(row))
        return;
    KyDimm& entry = dimmers_.dimmAt(static_cast<std::size_t>(row));
    entry.isIntensity = !entry.isIntensity;
    refresh();
}

void KyDimmersEdit::addClick()
{
    dimmers_.addDimm(KyDimm{});
    refresh();
    grid_->setCurrentCell(grid_->rowCount() - 1, std::max(grid_->currentColumn(), static_cast<int>(Name)));
}

void KyDimmersEdit::eraseClick()
{
    int row = grid_->currentRow();
    if (!entryRow(row))
        return;
    dimmers_.eraseDimm(static_cast<std::size_t>(row));
    refresh();
}
