// The install dialog: the type chosen, the proposed start address, the checks on the
// addresses, and what "OK" hands back.

#include "common/Cp1250.h"
#include "library/Fnewdevice.h"
#include "LibraryUiSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// A type whose highest channel is `channels`.
KyDevice typeWith(const std::string& name, int channels)
{
    KyDevice type;
    type.name = name;
    type.intensity.active = true;
    type.intensity.channel = channels;
    type.description = {name + " opis"};
    return type;
}

const std::vector<std::string> kPages = {"Scena", "Bar", "Taras"};

} // namespace

class NewDeviceFormTest : public QObject {
    Q_OBJECT
    KyLibrary library;

    void install(int typeIndex, int start)
    {
        KyClubDevice device(library.deviceAt(static_cast<std::size_t>(typeIndex)));
        device.startAddress = start;
        library.club.addClubDevice(device);
    }

private slots:
    void init()
    {
        library.club.clubDevices.clear();
        library.devices.clear();
        library.lastId = 0;
        library.addDevice(typeWith("Spot", 16));
        library.addDevice(typeWith("Par", 8));
    }

    void aNewDeviceGetsTheFirstFreeAddressOfTheChosenType()
    {
        install(0, 1);
        install(0, 25);
        KyClubDevice device;
        TNewDeviceChoice remembered;
        TNewDeviceForm form(device, library, kPages, remembered, nullptr);
        QCOMPARE(form.windowTitle(), QStringLiteral("Zainstaluj nowe urządzenie"));
        QCOMPARE(form.typeGrid()->rowCount(), 2);
        QCOMPARE(form.typeGrid()->text(1, 0), QStringLiteral("2"));
        QCOMPARE(form.typeGrid()->text(1, 1), QStringLiteral("Par"));
        QCOMPARE(form.typeGrid()->currentRow(), 0);
        // 17-24 is too short for 16 channels.
        QCOMPARE(form.startEdit()->text(), QStringLiteral("41"));
        QCOMPARE(form.endEdit()->text(), QStringLiteral("56"));
        QCOMPARE(form.channelCount()->text(), QStringLiteral("16"));
        QCOMPARE(form.description()->toPlainText(), QStringLiteral("Spot opis"));
        QCOMPARE(form.pageList()->count(), 3);
        QCOMPARE(form.pageList()->currentText(), QStringLiteral("Scena"));

        QVERIFY(showActive(&form));
        clickCell(form.typeGrid(), 1, 1);
        QCOMPARE(form.startEdit()->text(), QStringLiteral("17"));
        QCOMPARE(form.endEdit()->text(), QStringLiteral("24"));
        QCOMPARE(form.description()->toPlainText(), QStringLiteral("Par opis"));

        form.nameEdit()->setText(QStringLiteral("Lewy Łuk"));
        form.pageList()->setCurrentIndex(2);
        click(form.okButton());
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(device.typeId, 2);
        QCOMPARE(device.deviceType, library.deviceAt(1));
        QCOMPARE(device.startAddress, 17);
        QCOMPARE(device.name, std::string("Lewy \xA3uk"));
        QCOMPARE(device.page, 2);
        QCOMPARE(remembered.typeRow, 1);
        QCOMPARE(remembered.page, 2);

        // The next use offers the remembered row.
        KyClubDevice next;
        TNewDeviceForm again(next, library, kPages, remembered, nullptr);
        QCOMPARE(again.typeGrid()->currentRow(), 1);
    }

    // Only another row proposes its type's address: the current row clicked again, in
    // either column, keeps what the operator typed.
    void clickingTheCurrentRowAgainKeepsATypedAddress()
    {
        KyClubDevice device;
        TNewDeviceChoice remembered;
        TNewDeviceForm form(device, library, kPages, remembered, nullptr);
        QVERIFY(showActive(&form));
        typeAndLeave(form.startEdit(), "100", form.nameEdit());
        for (int column : {0, 1}) {
            clickCell(form.typeGrid(), 0, column);
            QCOMPARE(form.startEdit()->text(), QStringLiteral("100"));
        }
        clickCell(form.typeGrid(), 1, 0);
        QCOMPARE(form.startEdit()->text(), QStringLiteral("1"));
        QCOMPARE(form.endEdit()->text(), QStringLiteral("8"));
    }

    void startAddressesThatDoNotFitShowErrAndOkDoesNothing()
    {
        KyClubDevice device;
        TNewDeviceChoice remembered;
        TNewDeviceForm form(device, library, kPages, remembered, nullptr);
        QVERIFY(showActive(&form));
        struct Start {
            QString text, end, count;
        };
        for (const Start& s : {Start{"497", "512", "16"}, Start{"498", "err", "0"}, Start{"abc", "err", "0"},
                               Start{"0", "err", "0"}, Start{"-5", "err", "0"}, Start{"1", "16", "16"}}) {
            form.startEdit()->setText(s.text);
            QCOMPARE(form.endEdit()->text(), s.end);
            QCOMPARE(form.channelCount()->text(), s.count);
            bool red = form.endEdit()->palette().color(QPalette::Text) == QColor(Qt::red);
            QCOMPARE(red, s.end == "err");
        }
        form.startEdit()->setText("498");
        click(form.okButton());
        QVERIFY(form.isVisible());
        QCOMPARE(device.typeId, 0);
        QCOMPARE(remembered.typeRow, 0);
    }

    void aTypeThatFitsNowhereGetsStartAddressZero()
    {
        for (int start = 1; start <= 512; start += 16)
            install(0, start);
        KyClubDevice device;
        TNewDeviceChoice remembered;
        TNewDeviceForm form(device, library, kPages, remembered, nullptr);
        QCOMPARE(form.startEdit()->text(), QStringLiteral("0"));
        QCOMPARE(form.endEdit()->text(), QStringLiteral("err"));
    }

    void anInstalledDeviceKeepsItsTypeAddressAndPosition()
    {
        KyClubDevice device(library.deviceAt(1));
        device.startAddress = 100;
        device.name = "Bar \xA3"; // "Bar Ł"
        device.page = 1;
        device.iconLeft = 40;
        device.iconTop = 50;
        device.panInverted = device.panTiltSwapped = true;
        TNewDeviceChoice remembered{0, 0};
        TNewDeviceForm form(device, library, kPages, remembered, nullptr);
        QCOMPARE(form.windowTitle(), QStringLiteral("Urządzenie : Bar Ł"));
        QCOMPARE(form.typeGrid()->rowCount(), 1);
        QCOMPARE(form.typeGrid()->text(0, 1), QStringLiteral("Par"));
        QCOMPARE(form.nameEdit()->text(), QStringLiteral("Bar Ł"));
        QCOMPARE(form.startEdit()->text(), QStringLiteral("100"));
        QCOMPARE(form.endEdit()->text(), QStringLiteral("107"));
        QCOMPARE(form.pageList()->currentIndex(), 1);

        QVERIFY(showActive(&form));
        form.startEdit()->setText("200");
        click(form.okButton());
        QCOMPARE(device.startAddress, 200);
        QCOMPARE(device.typeId, 2);
        QCOMPARE(device.name, std::string("Bar \xA3"));
        QCOMPARE(std::make_pair(device.iconLeft, device.iconTop), std::make_pair(40, 50));
        QVERIFY(device.panInverted && !device.tiltInverted && device.panTiltSwapped);
    }

    void anEmptyLibraryOffersNothingToInstall()
    {
        library.devices.clear();
        KyClubDevice device;
        device.page = 7; // a page that no longer exists
        TNewDeviceChoice remembered{3, 0};
        TNewDeviceForm form(device, library, kPages, remembered, nullptr);
        QCOMPARE(form.typeGrid()->rowCount(), 1);
        QCOMPARE(form.typeGrid()->text(0, 1), QString());
        QCOMPARE(form.endEdit()->text(), QString());
        QCOMPARE(form.pageList()->currentIndex(), 0);
        QVERIFY(showActive(&form));
        click(form.okButton());
        QVERIFY(form.isVisible());
        QCOMPARE(device.typeId, 0);
    }
};

QTEST_MAIN(NewDeviceFormTest)
#include "Fnewdevice_test.moc"
