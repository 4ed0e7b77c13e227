#include "library/Fnewdevice.h"

#include "common/PPicture.h"
#include "common/PStringGrid.h"
#include "common/PText.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int typeIdRole = Qt::UserRole;

QString lines(const std::vector<std::string>& description)
{
    QStringList out;
    for (const auto& line : description)
        out << vt::fromCp1250(line);
    return out.join(QLatin1Char('\n'));
}

} // namespace

TNewDeviceForm::TNewDeviceForm(KyClubDevice& device, const KyLibrary& library,
                               const std::vector<std::string>& pageNames, TNewDeviceChoice& remembered,
                               QWidget* owner)
    : QDialog(owner), device_(device), library_(library), remembered_(remembered),
      typeGrid_(new TPStringGrid({TNewDeviceForm::tr("Lp."), TNewDeviceForm::tr("Nazwa")}, this)), icon_(new QLabel(this)),
      description_(new QPlainTextEdit(this)), nameEdit_(new QLineEdit(this)), startEdit_(new QLineEdit(this)),
      endEdit_(new QLineEdit(this)), channelCount_(new QLabel(QStringLiteral("0"), this)),
      pageList_(new QComboBox(this)), okButton_(new QPushButton(TNewDeviceForm::tr("OK"), this)),
      cancelButton_(new QPushButton(TNewDeviceForm::tr("Anuluj"), this))
{
    bool installed = device_.typeId != 0;
    setWindowTitle(installed ? TNewDeviceForm::tr("Urządzenie : %1").arg(vt::fromCp1250(device_.name))
                             : TNewDeviceForm::tr("Zainstaluj nowe urządzenie"));
    typeGrid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    icon_->setFixedSize(80, 80);
    icon_->setAlignment(Qt::AlignCenter);
    description_->setReadOnly(true);
    nameEdit_->setMaxLength(20);
    nameEdit_->setValidator(new TPCp1250Validator(nameEdit_));
    startEdit_->setMaxLength(3);
    startEdit_->setText(QStringLiteral("1"));
    endEdit_->setReadOnly(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(TNewDeviceForm::tr("Dostępne urządzenia"), this), 0, 0);
    layout->addWidget(typeGrid_, 1, 0, 3, 1);
    layout->addWidget(icon_, 1, 1, Qt::AlignCenter);
    layout->addWidget(new QLabel(TNewDeviceForm::tr("Opis urządzenia"), this), 2, 1);
    layout->addWidget(description_, 3, 1);
    auto* fields = new QFormLayout;
    fields->addRow(TNewDeviceForm::tr("Nazwa"), nameEdit_);
    fields->addRow(TNewDeviceForm::tr("Adres startowy"), startEdit_);
    fields->addRow(TNewDeviceForm::tr("Adres końcowy"), endEdit_);
    fields->addRow(TNewDeviceForm::tr("Zajętych kanalow :"), channelCount_);
    fields->addRow(TNewDeviceForm::tr("Strona"), pageList_);
    layout->addLayout(fields, 4, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    layout->addLayout(buttons, 5, 0, 1, 2);

    fillTypes();
    for (const auto& caption : pageNames)
        pageList_->addItem(vt::fromCp1250(caption));
    // A page that no longer exists would leave the device on none.
    bool pageExists = device_.page >= 0 && device_.page < pageList_->count();
    pageList_->setCurrentIndex(pageExists ? device_.page : 0);
    nameEdit_->setText(vt::fromCp1250(device_.name));
    if (auto type = chosenType()) {
        startEdit_->setText(QString::number(installed ? device_.startAddress : library_.club.findFreeAddress(*type)));
        showType(*type);
    }

    connect(startEdit_, &QLineEdit::textChanged, this, &TNewDeviceForm::StartEditChange);
    if (!installed)
        connect(typeGrid_, &QTableWidget::currentCellChanged, this, &TNewDeviceForm::TypeGridSelect);
    connect(okButton_, &QPushButton::clicked, this, &TNewDeviceForm::OkButtonClick);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void TNewDeviceForm::fillTypes()
{
    std::vector<std::shared_ptr<KyDevice>> types;
    if (device_.typeId == 0) {
        types = library_.devices;
    } else {
        for (const auto& type : library_.devices)
            if (type->id == device_.typeId) {
                types.push_back(type);
                break;
            }
    }
    typeGrid_->setDataRowCount(static_cast<int>(types.size()));
    for (std::size_t i = 0; i < types.size(); ++i) {
        int row = static_cast<int>(i);
        typeGrid_->setText(row, 0, QString::number(row + 1));
        typeGrid_->setText(row, 1, vt::fromCp1250(types[i]->name));
        typeGrid_->item(row, 0)->setData(typeIdRole, types[i]->id);
    }
    int row = std::clamp(remembered_.typeRow, 0, typeGrid_->rowCount() - 1);
    typeGrid_->setCurrentCell(row, 1);
    typeGrid_->scrollToItem(typeGrid_->item(row, 0), QAbstractItemView::PositionAtTop);
}

std::shared_ptr<KyDevice> TNewDeviceForm::chosenType() const
{
    QTableWidgetItem* item = typeGrid_->item(std::max(typeGrid_->currentRow(), 0), 0);
    QVariant id = item->data(typeIdRole);
    if (!id.isValid())
        return nullptr;
    for (const auto& type : library_.devices)
        if (type->id == id.toInt())
            return type;
    return nullptr;
}

void TNewDeviceForm::showType(const KyDevice& type)
{
    icon_->setPixmap(vt::transparentPixmap(vt::imageFromBmp(type.icon)));
    description_->setPlainText(lines(type.description));
    StartEditChange();
}

// Only another row proposes a new start address: the current row clicked again, in either
// column, keeps what the operator typed.
void TNewDeviceForm::TypeGridSelect(int row, int, int previousRow)
{
    if (row == previousRow)
        return;
    auto type = chosenType();
    if (!type)
        return;
    startEdit_->setText(QString::number(library_.club.findFreeAddress(*type)));
    showType(*type);
}

void TNewDeviceForm::StartEditChange()
{
    auto type = chosenType();
    if (!type)
        return;
    bool ok = false;
    int start = startEdit_->text().toInt(&ok);
    if (!ok)
        start = 0;
    int count = type->channelCount();
    int end = start + count - 1;
    bool fits = start > 0 && end <= 512 && end > 0;
    endEdit_->setText(fits ? QString::number(end) : QStringLiteral("err"));
    QPalette palette = endEdit_->palette();
    palette.setColor(QPalette::Text, fits ? QApplication::palette().color(QPalette::Text) : QColor(Qt::red));
    endEdit_->setPalette(palette);
    channelCount_->setText(QString::number(fits ? count : 0));
}

void TNewDeviceForm::OkButtonClick()
{
    auto type = chosenType();
    if (!type || endEdit_->text().toInt() <= 0)
        return;
    KyClubDevice built(type);
    built.startAddress = startEdit_->text().toInt();
    built.name = vt::toCp1250(nameEdit_->text());
    built.page = pageList_->currentIndex();
    built.iconLeft = device_.iconLeft;
    built.iconTop = device_.iconTop;
    built.panInverted = device_.panInverted;
    built.tiltInverted = device_.tiltInverted;
    built.panTiltSwapped = device_.panTiltSwapped;
    device_ = built;
    remembered_ = {typeGrid_->currentRow(), built.page};
    accept();
}
