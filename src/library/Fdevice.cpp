#include "library/Fdevice.h"

#include "common/PPicture.h"
#include "common/PStringGrid.h"
#include "common/PText.h"
#include "common/PUndo.h"
#include "library/Fdevedit.h"
#include "library/TypeChange.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QUndoStack>
#include <QTextDocument>

namespace {

constexpr int nameLength = 25;
constexpr int descriptionLength = 1000;

QPushButton* button(const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    // Enter belongs to the grids and edits; it never closes the editor.
    b->setAutoDefault(false);
    return b;
}

QLineEdit* edit(const QString& caption, int maxLength, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(caption);
    e->setMaxLength(maxLength);
    return e;
}

QLineEdit* channelEdit(QWidget* parent, const QString& caption = TDeviceForm::tr("Kanał"))
{
    return edit(caption, 2, parent);
}

QLineEdit* valueEdit(const QString& caption, QWidget* parent)
{
    return edit(caption, 3, parent);
}

QLineEdit* nameEdit(QWidget* parent)
{
    QLineEdit* e = edit(TDeviceForm::tr("Nazwa"), nameLength, parent);
    e->setValidator(new TPCp1250Validator(e));
    return e;
}

// A caption and its field side by side in cells of a grid layout.
void addField(QGridLayout* layout, int row, int column, const QString& caption, QWidget* field, int fieldSpan = 1)
{
    auto* label = new QLabel(caption, field->parentWidget());
    label->setBuddy(field);
    layout->addWidget(label, row, column);
    layout->addWidget(field, row, column + 1, 1, fieldSpan);
}

QGroupBox* group(const QString& caption, QWidget* parent)
{
    return new QGroupBox(caption, parent);
}

struct DimmerLook {
    QString activeCaption = TDeviceForm::tr("Aktywny");
    bool name = true;
    bool invert = true;
};

// The controls of a dimmer block in a group: check boxes, then the numbers, then the name.
KyDimmerControls dimmerControls(QGroupBox* box, const DimmerLook& look, QLineEdit** off = nullptr)
{
    auto* layout = new QGridLayout(box);
    KyDimmerControls c;
    c.active = new QCheckBox(look.activeCaption, box);
    layout->addWidget(c.active, 0, 0, 1, 2);
    if (look.invert) {
        c.invert = new QCheckBox(TDeviceForm::tr("Invert"), box);
        layout->addWidget(c.invert, 0, 2, 1, 2);
    }
    c.channel = channelEdit(box);
    c.min = valueEdit(TDeviceForm::tr("Min"), box);
    c.max = valueEdit(TDeviceForm::tr("Max"), box);
    addField(layout, 1, 0, TDeviceForm::tr("Kanał"), c.channel);
    addField(layout, 1, 2, TDeviceForm::tr("Min"), c.min);
    addField(layout, 1, 4, TDeviceForm::tr("Max"), c.max);
    if (off) {
        *off = valueEdit(QStringLiteral("Off"), box);
        addField(layout, 1, 6, TDeviceForm::tr("Off"), *off);
    }
    if (look.name) {
        c.name = nameEdit(box);
        addField(layout, 2, 0, TDeviceForm::tr("Nazwa"), c.name, off ? 7 : 5);
    }
    return c;
}

KyEditChValue* chValueGroup(QGroupBox* box, KyChValue& list, QWidget* owner)
{
    auto* layout = new QGridLayout(box);
    auto* active = new QCheckBox(TDeviceForm::tr("Aktywny"), box);
    auto* grid = new TPStringGrid({TDeviceForm::tr("Kanał"), TDeviceForm::tr("Wartość")}, box);
    QPushButton* add = button(TDeviceForm::tr("Dodaj"), box);
    QPushButton* erase = button(TDeviceForm::tr("Usuń"), box);
    layout->addWidget(active, 0, 0, 1, 2);
    layout->addWidget(grid, 1, 0, 1, 2);
    layout->addWidget(add, 2, 0);
    layout->addWidget(erase, 2, 1);
    return new KyEditChValue(list, active, grid, add, erase, owner);
}

// The memo's lines as a list of strings keeps them: a last line break starts no line.
std::vector<std::string> linesOf(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.back().isEmpty())
        lines.removeLast();
    std::vector<std::string> out;
    for (const QString& line : lines)
        out.push_back(vt::toCp1250(line));
    return out;
}

QString textOf(const std::vector<std::string>& lines)
{
    QStringList out;
    for (const auto& line : lines)
        out << vt::fromCp1250(line);
    return out.join(QLatin1Char('\n'));
}

} // namespace

// ---- TDevFrame

TDevFrame::TDevFrame(KyDevice& device, const QString& heading, QWidget* parent)
    : QWidget(parent), device_(device), body_(new QVBoxLayout(this))
{
    auto* title = new QLabel(heading, this);
    title->setObjectName(QStringLiteral("Heading"));
    QFont large = title->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.4);
    title->setFont(large);
    body_->addWidget(title);
}

// ---- "Ogólne"

TDevGeneralFrame::TDevGeneralFrame(KyDevice& device, QWidget* parent)
    : TDevFrame(device, TDeviceForm::tr("Ogólne"), parent)
{
    auto* fields = new QGridLayout;
    name_ = nameEdit(this);
    auto* nameCommit = new KyBlockEdit(this);
    nameCommit->commitTextOnLeave(name_, [this](const std::string& name) { device_.name = name; });
    addField(fields, 0, 0, TDeviceForm::tr("Nazwa"), name_);

    description_ = new QPlainTextEdit(this);
    description_->setObjectName(TDeviceForm::tr("Opis"));
    description_->installEventFilter(this);
    connect(description_, &QPlainTextEdit::textChanged, this, [this] {
        QString text = description_->toPlainText();
        if (text.size() <= descriptionLength)
            return;
        QSignalBlocker quiet(description_);
        const bool typed = description_->document()->isModified();
        description_->setPlainText(text.left(descriptionLength));
        description_->document()->setModified(typed);
        description_->moveCursor(QTextCursor::End);
    });
    fields->addWidget(description_, 1, 0, 1, 2);

    auto* iconBox = group(TDeviceForm::tr("Ikona"), this);
    auto* iconLayout = new QVBoxLayout(iconBox);
    icon_ = new QLabel(iconBox);
    icon_->setFixedSize(80, 80);
    icon_->setAlignment(Qt::AlignCenter);
    iconLayout->addWidget(icon_, 0, Qt::AlignHCenter);
    QPushButton* change = button(TDeviceForm::tr("Zmień"), iconBox);
    iconLayout->addWidget(change);
    connect(change, &QPushButton::clicked, this, &TDevGeneralFrame::IconButtonClick);
    fields->addWidget(iconBox, 0, 2, 2, 1);
    body()->addLayout(fields);

    auto* resetBox = group(TDeviceForm::tr("Reset"), this);
    reset_ = chValueGroup(resetBox, device_.reset, this);
    body()->addWidget(resetBox);
}

void TDevGeneralFrame::refresh()
{
    name_->setText(vt::fromCp1250(device_.name));
    description_->setPlainText(textOf(device_.description));
    showIcon();
    reset_->refresh();
}

bool TDevGeneralFrame::eventFilter(QObject* watched, QEvent* event)
{
    // Like the fields, the memo stores only what the operator typed.
    if (watched == description_ && event->type() == QEvent::FocusOut && description_->document()->isModified()) {
        description_->document()->setModified(false);
        device_.description = linesOf(description_->toPlainText());
    }
    return TDevFrame::eventFilter(watched, event);
}

void TDevGeneralFrame::IconButtonClick()
{
    auto picture = devedit::askForPicture(this);
    if (!picture)
        return;
    device_.icon = std::move(picture->bmp);
    showIcon();
}

void TDevGeneralFrame::showIcon()
{
    icon_->setPixmap(vt::transparentPixmap(vt::imageFromBmp(device_.icon)));
}

// ---- "Światło"

TDevLightFrame::TDevLightFrame(KyDevice& device, QWidget* parent)
    : TDevFrame(device, TDeviceForm::tr("Światło"), parent)
{
    auto* layout = new QGridLayout;
    auto* shutterBox = group(TDeviceForm::tr("Shutter"), this);
    auto* shutterLayout = new QGridLayout(shutterBox);
    KyShutterControls shutter{new QCheckBox(TDeviceForm::tr("Aktywna"), shutterBox), channelEdit(shutterBox),
                              valueEdit(TDeviceForm::tr("On"), shutterBox), valueEdit(TDeviceForm::tr("Off"), shutterBox)};
    shutterLayout->addWidget(shutter.active, 0, 0, 1, 2);
    addField(shutterLayout, 1, 0, TDeviceForm::tr("Kanał"), shutter.channel);
    addField(shutterLayout, 1, 2, TDeviceForm::tr("On"), shutter.on);
    addField(shutterLayout, 1, 4, TDeviceForm::tr("Off"), shutter.off);
    shutter_ = new KyShutterEdit(device_.shutter, shutter, this);
    layout->addWidget(shutterBox, 0, 0);

    // The intensity and the strobe keep their stored names: they have no name field.
    auto* intensityBox = group(TDeviceForm::tr("Intensywność"), this);
    intensity_ = new KyDimmerEdit(
        device_.intensity, dimmerControls(intensityBox, {.activeCaption = TDeviceForm::tr("Aktywna"), .name = false}),
        this);
    layout->addWidget(intensityBox, 1, 0);

    auto* strobeBox = group(TDeviceForm::tr("Strobo"), this);
    QLineEdit* off = nullptr;
    KyDimmerControls strobe = dimmerControls(strobeBox, {.name = false}, &off);
    strobe_ = new KyStrobeEdit(device_.strobe, strobe, off, this);
    layout->addWidget(strobeBox, 2, 0);

    const std::array<std::pair<QString, KyChValue*>, 3> lists = {{
        {TDeviceForm::tr("Blackout"), &device_.blackout},
        {TDeviceForm::tr("Lamp ON"), &device_.lampOn},
        {TDeviceForm::tr("Lamp OFF"), &device_.lampOff},
    }};
    for (std::size_t i = 0; i < lists.size(); ++i) {
        auto* box = group(lists[i].first, this);
        lists_[i] = chValueGroup(box, *lists[i].second, this);
        layout->addWidget(box, static_cast<int>(i), 1);
    }
    body()->addLayout(layout);
}

void TDevLightFrame::refresh()
{
    shutter_->refresh();
    intensity_->refresh();
    strobe_->refresh();
    for (KyEditChValue* list : lists_)
        list->refresh();
}

// ---- "Pan / Tilt"

TDevPanTiltFrame::TDevPanTiltFrame(KyDevice& device, QWidget* parent)
    : TDevFrame(device, TDeviceForm::tr("Pan / Tilt"), parent)
{
    KyPanTiltControls c{};
    c.active = new QCheckBox(TDeviceForm::tr("Aktywny"), this);
    body()->addWidget(c.active);

    auto* mode = new QHBoxLayout;
    c.modeLabel = new QLabel(TDeviceForm::tr("Tryb :"), this);
    c.mode8bit = new QRadioButton(TDeviceForm::tr("8 bit"), this);
    c.mode16bit = new QRadioButton(TDeviceForm::tr("16 bit"), this);
    for (QWidget* w : std::initializer_list<QWidget*>{c.modeLabel, c.mode8bit, c.mode16bit})
        mode->addWidget(w);
    mode->addStretch();
    body()->addLayout(mode);

    auto* channels = new QGridLayout;
    channels->addWidget(new QLabel(TDeviceForm::tr("8 bit"), this), 0, 1);
    channels->addWidget(new QLabel(TDeviceForm::tr("16 bit"), this), 0, 2);
    c.panLabel = new QLabel(TDeviceForm::tr("PAN   Kanał"), this);
    c.tiltLabel = new QLabel(TDeviceForm::tr("TILT   Kanał"), this);
    c.pan = channelEdit(this, TDeviceForm::tr("Pan"));
    c.panFine = channelEdit(this, QStringLiteral("PanFine"));
    c.tilt = channelEdit(this, TDeviceForm::tr("Tilt"));
    c.tiltFine = channelEdit(this, QStringLiteral("TiltFine"));
    channels->addWidget(c.panLabel, 1, 0);
    channels->addWidget(c.pan, 1, 1);
    channels->addWidget(c.panFine, 1, 2);
    channels->addWidget(c.tiltLabel, 2, 0);
    channels->addWidget(c.tilt, 2, 1);
    channels->addWidget(c.tiltFine, 2, 2);
    channels->setColumnStretch(3, 1);
    body()->addLayout(channels);

    auto* control1 = group(TDeviceForm::tr("Kontroler 1 - Pan/Tilt"), this);
    auto* control2 = group(TDeviceForm::tr("Kontroler 2 - Pan/Tilt"), this);
    c.control1 = dimmerControls(control1, {});
    c.control2 = dimmerControls(control2, {});
    body()->addWidget(control1);
    body()->addWidget(control2);
    body()->addStretch();
    panTilt_ = new KyPanTiltEdit(device_.panTilt, c, this);
}

void TDevPanTiltFrame::refresh()
{
    panTilt_->refresh();
}

// ---- "Kolor 2"

TDevMixerFrame::TDevMixerFrame(KyDevice& device, QWidget* parent)
    : TDevFrame(device, TDeviceForm::tr("Kolor 2"), parent)
{
    KyColorMixerControls c{};
    c.active = new QCheckBox(TDeviceForm::tr("Aktywny"), this);
    body()->addWidget(c.active);
    auto* mode = new QHBoxLayout;
    c.modeLabel = new QLabel(TDeviceForm::tr("Tryb :"), this);
    c.rgb = new QRadioButton(TDeviceForm::tr("RGB"), this);
    c.cmy = new QRadioButton(TDeviceForm::tr("CMY"), this);
    for (QWidget* w : std::initializer_list<QWidget*>{c.modeLabel, c.rgb, c.cmy})
        mode->addWidget(w);
    mode->addStretch();
    body()->addLayout(mode);

    // A component's activity, range and name follow the mixer: only its channel and
    // direction are the operator's.
    auto* rows = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        auto& component = c.components[static_cast<std::size_t>(i)];
        auto& label = c.labels[static_cast<std::size_t>(i)];
        label = new QLabel(this);
        label->setObjectName(QStringLiteral("Component%1").arg(i + 1));
        component.channel = channelEdit(this);
        component.invert = new QCheckBox(TDeviceForm::tr("Invert"), this);
        rows->addWidget(label, i, 0);
        addField(rows, i, 1, TDeviceForm::tr("Kanał"), component.channel);
        rows->addWidget(component.invert, i, 3);
    }
    rows->setColumnStretch(4, 1);
    body()->addLayout(rows);
    body()->addStretch();
    mixer_ = new KyColorMixerEdit(device_.color2, c, this);
}

void TDevMixerFrame::refresh()
{
    mixer_->refresh();
}

// ---- "Optyka"

TDevOpticFrame::TDevOpticFrame(KyDevice& device, QWidget* parent)
    : TDevFrame(device, TDeviceForm::tr("Optyka"), parent)
{
    std::array<KyDimmer*, 4> blocks = {&device_.optic.optic1, &device_.optic.optic2, &device_.optic.optic3,
                                       &device_.optic.optic4};
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        auto* box = group(TDeviceForm::tr("Optyka %1").arg(i + 1), this);
        optics_[i] = new KyDimmerEdit(*blocks[i], dimmerControls(box, {}), this);
        body()->addWidget(box);
    }
    body()->addStretch();
}

void TDevOpticFrame::refresh()
{
    for (KyDimmerEdit* optic : optics_)
        optic->refresh();
}

// ---- Wheels

TDevWheelFrame::TDevWheelFrame(KyDevice& device, KyGobo& wheel, const QString& heading, const QString& paletteCaption,
                               QWidget* parent)
    : TDevFrame(device, heading, parent)
{
    KyGoboControls c{};
    auto* own = new QGridLayout;
    c.wheel.active = new QCheckBox(TDeviceForm::tr("Aktywny"), this);
    c.wheel.channel = channelEdit(this);
    c.wheel.name = nameEdit(this);
    c.wheel.min = valueEdit(TDeviceForm::tr("Min"), this);
    c.wheel.max = valueEdit(TDeviceForm::tr("Max"), this);
    own->addWidget(c.wheel.active, 0, 0, 1, 2);
    addField(own, 1, 0, TDeviceForm::tr("Kanał"), c.wheel.channel);
    addField(own, 1, 2, TDeviceForm::tr("Nazwa"), c.wheel.name);
    addField(own, 2, 0, TDeviceForm::tr("Min"), c.wheel.min);
    addField(own, 2, 2, TDeviceForm::tr("Max"), c.wheel.max);
    body()->addLayout(own);

    auto* controllers = new QHBoxLayout;
    auto* control1 = group(TDeviceForm::tr("Kontroler 1"), this);
    auto* control2 = group(TDeviceForm::tr("Kontroler 2 "), this);
    c.control1 = dimmerControls(control1, {});
    c.control2 = dimmerControls(control2, {});
    controllers->addWidget(control1);
    controllers->addWidget(control2);
    body()->addLayout(controllers);

    auto* paletteBox = group(paletteCaption, this);
    auto* palette = new QGridLayout(paletteBox);
    c.palette = new TPStringGrid({TDeviceForm::tr("Lp."), TDeviceForm::tr("Nazwa"), TDeviceForm::tr("Wartość")}, paletteBox);
    c.previewBorder = new QFrame(paletteBox);
    c.previewBorder->setFrameShape(QFrame::Box);
    c.previewBorder->setAutoFillBackground(true);
    c.previewBorder->setFixedSize(37, 37);
    c.preview = new QLabel(c.previewBorder);
    c.preview->setObjectName(QStringLiteral("Preview"));
    c.preview->setGeometry(3, 3, 31, 31);
    c.preview->setAlignment(Qt::AlignCenter);
    c.add = button(TDeviceForm::tr("Dodaj"), paletteBox);
    c.change = button(TDeviceForm::tr("Zmień"), paletteBox);
    c.erase = button(TDeviceForm::tr("Usuń"), paletteBox);
    // The palette takes the page's free height; the buttons stay together beside its top.
    palette->addWidget(c.palette, 0, 0, 5, 1);
    palette->addWidget(c.previewBorder, 0, 1, Qt::AlignHCenter);
    palette->addWidget(c.add, 1, 1);
    palette->addWidget(c.change, 2, 1);
    palette->addWidget(c.erase, 3, 1);
    palette->setRowStretch(4, 1);
    body()->addWidget(paletteBox, 1);

    wheel_ = new KyGoboEdit(wheel, c, this);
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, &TDevWheelFrame::focusMoved);
}

// Destroying the children moves the focus; by then this page must no longer hear of it.
TDevWheelFrame::~TDevWheelFrame()
{
    disconnect(focusWatch_);
}

void TDevWheelFrame::refresh()
{
    wheel_->refresh();
}

void TDevWheelFrame::focusMoved(QWidget* old, QWidget* now)
{
    bool wasHere = old && (old == this || isAncestorOf(old));
    bool isHere = now && (now == this || isAncestorOf(now));
    // Message boxes and file dialogs are other windows: they do not take the operator away.
    if (wasHere && !isHere && now && now->window() == window())
        wheel_->leave();
}

// ---- "Dimmery"

TDevDimmersFrame::TDevDimmersFrame(KyDevice& device, QWidget* parent)
    : TDevFrame(device, TDeviceForm::tr("Dimmer'y"), parent)
{
    auto* grid = new TPStringGrid({TDeviceForm::tr("Lp."), TDeviceForm::tr("Nazwa"), TDeviceForm::tr("Kanał"),
                                   TDeviceForm::tr("Min"), TDeviceForm::tr("Max"), TDeviceForm::tr("Intens.")},
                                  this);
    auto* buttons = new QHBoxLayout;
    QPushButton* add = button(TDeviceForm::tr("Dodaj"), this);
    QPushButton* erase = button(TDeviceForm::tr("Usuń"), this);
    buttons->addWidget(add);
    buttons->addWidget(erase);
    buttons->addStretch();
    body()->addWidget(grid);
    body()->addLayout(buttons);
    dimmers_ = new KyDimmersEdit(device_.dimmers, grid, add, erase, this);
}

void TDevDimmersFrame::refresh()
{
    dimmers_->refresh();
}

// ---- The editor window

TDeviceForm::TDeviceForm(KyDevice& device, QWidget* owner)
    : QDialog(owner), device_(device), marked_(device), undo_(vt::newUndoStack(this)),
      pageList_(new QListWidget(this)), pageArea_(new QStackedWidget(this)),
      okButton_(button(TDeviceForm::tr("OK"), this)), cancelButton_(button(TDeviceForm::tr("Anuluj"), this))
{
    setStyleSheet(QStringLiteral("QLineEdit:disabled { background-color: palette(button); }"));
    pages_ = {
        new TDevGeneralFrame(device_, pageArea_),
        new TDevLightFrame(device_, pageArea_),
        new TDevPanTiltFrame(device_, pageArea_),
        new TDevWheelFrame(device_, device_.color1, TDeviceForm::tr("Kolor 1"), TDeviceForm::tr("Paleta Kolorów"), pageArea_),
        new TDevMixerFrame(device_, pageArea_),
        new TDevWheelFrame(device_, device_.gobo1, TDeviceForm::tr("Gobo 1"), TDeviceForm::tr("Paleta Gobo"), pageArea_),
        new TDevWheelFrame(device_, device_.gobo2, TDeviceForm::tr("Gobo 2"), TDeviceForm::tr("Paleta Gobo"), pageArea_),
        new TDevWheelFrame(device_, device_.effect1, TDeviceForm::tr("Efekt 1 "), TDeviceForm::tr("Paleta Efektów"),
                           pageArea_),
        new TDevWheelFrame(device_, device_.effect2, TDeviceForm::tr("Efekt 2"), TDeviceForm::tr("Paleta Efektów"),
                           pageArea_),
        new TDevOpticFrame(device_, pageArea_),
        new TDevDimmersFrame(device_, pageArea_),
    };
    const char* entries[pageCount] = {QT_TRANSLATE_NOOP("TDeviceForm", "Ogólne"), QT_TRANSLATE_NOOP("TDeviceForm", "Światło"), QT_TRANSLATE_NOOP("TDeviceForm", "Pan/Tilt"), QT_TRANSLATE_NOOP("TDeviceForm", "Kolor 1"), QT_TRANSLATE_NOOP("TDeviceForm", "Kolor 2"), QT_TRANSLATE_NOOP("TDeviceForm", "Gobo 1"),
                                      QT_TRANSLATE_NOOP("TDeviceForm", "Gobo 2"), QT_TRANSLATE_NOOP("TDeviceForm", "Efekt 1"), QT_TRANSLATE_NOOP("TDeviceForm", "Efekt 2"), QT_TRANSLATE_NOOP("TDeviceForm", "Optyka"),  QT_TRANSLATE_NOOP("TDeviceForm", "Dimmery")};
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        pageList_->addItem(tr(entries[i]));
        pageArea_->addWidget(pages_[i]);
        pages_[i]->refresh();
    }
    pageList_->setFixedWidth(pageList_->sizeHintForColumn(0) + 16);

    auto* layout = new QGridLayout(this);
    layout->addWidget(pageList_, 0, 0);
    layout->addWidget(pageArea_, 0, 1);
    auto* buttons = new QHBoxLayout;
    vt::addUndoButtons(*undo_, buttons, this);
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    layout->addLayout(buttons, 1, 0, 1, 2);

    setWindowTitle(vt::fromCp1250(device_.name));
    connect(pageList_, &QListWidget::currentRowChanged, this, &TDeviceForm::PageListChange);
    connect(okButton_, &QPushButton::clicked, this, &TDeviceForm::OkButtonClick);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    pageList_->setCurrentRow(0);
    qApp->installEventFilter(this);
}

// Input ends in a step once it has been handled; the editor is modal, so all of it is its own.
bool TDeviceForm::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    const bool repeated = type == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->isAutoRepeat();
    if (!repeated && (type == QEvent::MouseButtonRelease || type == QEvent::KeyRelease || type == QEvent::Wheel ||
                      type == QEvent::FocusOut))
        QTimer::singleShot(0, this, &TDeviceForm::commitEdit);
    return QDialog::eventFilter(watched, event);
}

void TDeviceForm::commitEdit()
{
    auto change = KyTypeChange::between(device_, marked_);
    if (!change)
        return;
    const QString page = pageList_->currentItem() ? pageList_->currentItem()->text() : QString();
    vt::pushChange(*undo_, copyLock_, tr("zmianę: %1").arg(page), std::move(change), [this] {
        marked_ = device_;
        for (TDevFrame* frame : pages_)
            frame->refresh();
    });
    marked_ = device_;
}

void TDeviceForm::PageListChange(int row)
{
    if (row < 0)
        return;
    pageArea_->setCurrentIndex(row);
    pages_[static_cast<std::size_t>(row)]->refresh();
}

void TDeviceForm::OkButtonClick()
{
    // A field still being typed in commits as it loses the focus.
    okButton_->setFocus();
    if (device_.channelCount() == 0) {
        QMessageBox::critical(this, TDeviceForm::tr("Błąd"),
                              TDeviceForm::tr("Urządzenie jest puste !!!\nnie zdefiniowano żadnej funkcji."),
                              QMessageBox::Ok);
        return;
    }
    accept();
}
