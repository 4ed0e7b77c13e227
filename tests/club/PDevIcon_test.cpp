#include "club/PDevIcon.h"
#include "club/PIconPages.h"
#include "library/Library.h"

#include <QApplication>
#include <QBuffer>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

// A 20 x 20 picture: a red square on a white background.
KyPicture bmpPicture()
{
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 5; y < 15; ++y)
        for (int x = 5; x < 15; ++x)
            image.setPixelColor(x, y, Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return {bytes.begin(), bytes.end()};
}

void sendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void click(QWidget* w, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(w, QEvent::MouseButtonPress, {40, 40}, button, button);
    sendMouse(w, QEvent::MouseButtonRelease, {40, 40}, button, Qt::NoButton);
}

QColor labelColour(const TPDevIcon* icon)
{
    return icon->label()->palette().color(QPalette::Window);
}

} // namespace

// Types X (with a picture) and Y; devices A (X), B (Y), C (X) on three pages, and D (Y)
// on a page that does not exist.
class DevIconTest : public QObject {
    Q_OBJECT
    KyLibrary library;
    KyIcons icons;
    std::mutex lock;
    std::unique_ptr<TPIconPages> pages;

    TPDevIcon* icon(std::size_t i) const { return pages->iconWidgets()[i]; }
    const std::shared_ptr<KyClubDevice>& device(std::size_t i) const { return library.club.clubDeviceAt(i); }

private slots:
    void init()
    {
        library.devices.clear();
        library.club.clubDevices.clear();
        KyDevice x;
        x.icon = bmpPicture();
        library.addDevice(x);
        library.addDevice(KyDevice{});
        struct Placed {
            std::size_t type;
            const char* name;
            int page, left, top;
        };
        for (const Placed& p : {Placed{0, "A", 0, 10, 10}, Placed{1, "B", 1, 100, 10},
                                Placed{0, "C \xA3\xB9", 2, 10, 100}, Placed{1, "D", 5, 200, 20}}) {
            KyClubDevice device(library.deviceAt(p.type));
            device.name = p.name;
            device.page = p.page;
            device.iconLeft = p.left;
            device.iconTop = p.top;
            library.club.addClubDevice(device);
        }
        icons = KyIcons();
        icons.build(library.club, 3);
        pages = std::make_unique<TPIconPages>(icons, lock);
        for (const char* caption : {"1", "2", "3"})
            pages->addPage(caption);
        pages->rebuildIcons();
        pages->resize(500, 400);
        pages->show();
    }

    void iconShowsTheTypesPictureAndTheDevicesName()
    {
        TPDevIcon* c = icon(2);
        QCOMPARE(c->size(), QSize(80, 85));
        QCOMPARE(c->parentWidget(), pages->widget(2));
        QCOMPARE(c->pos(), QPoint(10, 100));
        QCOMPARE(c->label()->text(), QStringLiteral("C Łą"));
        QCOMPARE(c->label()->height(), 17);
        QCOMPARE(c->label()->geometry().bottom(), c->contentsRect().bottom());
        QCOMPARE(c->label()->font().pointSize(), 9);
        QCOMPARE(c->label()->palette().color(QPalette::WindowText), QColor(Qt::white));

        QImage picture = c->picture()->pixmap().toImage();
        QCOMPARE(picture.size(), QSize(20, 20));
        QCOMPARE(picture.pixelColor(0, 19).alpha(), 0); // the background colour lets the frame through
        QCOMPARE(picture.pixelColor(10, 10), QColor(Qt::red));
        QVERIFY(icon(1)->picture()->pixmap().isNull());
    }

    void aDeviceOnAMissingPageIsShownOnTheFirst()
    {
        QCOMPARE(device(3)->page, 0);
        QCOMPARE(icon(3)->parentWidget(), pages->widget(0));
        QCOMPARE(icon(3)->pos(), QPoint(200, 20));
    }

    void clicksSelectAndColourByTheReferenceType()
    {
        const QColor green(0, 128, 0), navy(0, 0, 128), red(255, 0, 0);
        QSignalSpy changed(pages.get(), &TPIconPages::selectionChanged);
        for (std::size_t i : {0, 1, 2})
            click(icon(i));
        QCOMPARE(changed.count(), 3);
        QCOMPARE(icons.referenceDevice(), device(2));
        QCOMPARE(labelColour(icon(0)), red);
        QCOMPARE(labelColour(icon(1)), navy);
        QCOMPARE(labelColour(icon(2)), red);
        QCOMPARE(labelColour(icon(3)), green);
        QCOMPARE(icon(1)->palette().color(QPalette::Window), icon(1)->palette().color(QPalette::Base));
        QCOMPARE(icon(3)->palette().color(QPalette::Window), icon(3)->palette().color(QPalette::Button));

        click(icon(2));
        QCOMPARE(icons.referenceDevice(), device(1));
        QCOMPARE(labelColour(icon(0)), navy);
        QCOMPARE(labelColour(icon(1)), red);
        QCOMPARE(labelColour(icon(2)), green);
    }

    void rightClicksNeitherSelectNorDrag()
    {
        click(icon(0), Qt::RightButton);
        QVERIFY(icons.selection().empty());

        icons.setMoveMode(true);
        sendMouse(icon(0), QEvent::MouseButtonPress, {5, 5}, Qt::RightButton, Qt::RightButton);
        sendMouse(icon(0), QEvent::MouseMove, {300, 300}, Qt::NoButton, Qt::RightButton);
        QVERIFY(!icons.icons()[0].dragging);
        QCOMPARE(icon(0)->pos(), QPoint(10, 10));
    }

    void draggingStopsAtThePageEdgeAndStoresThePlace()
    {
        icons.setMoveMode(true);
        pages->placeIcons();
        QCOMPARE(labelColour(icon(0)), QColor(128, 128, 128));

        QWidget* page = pages->widget(0);
        TPDevIcon* a = icon(0);
        sendMouse(a, QEvent::MouseButtonPress, {20, 30}, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(icons.selection().empty()); // move mode moves, it does not select
        sendMouse(a, QEvent::MouseMove, {50, 60}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(a->pos(), QPoint(40, 40));
        sendMouse(a, QEvent::MouseMove, {page->width() + 100, 30}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(a->geometry().right() + 1, page->width());
        QCOMPARE(device(0)->iconLeft, 10); // stored only when dropped

        sendMouse(a, QEvent::MouseButtonRelease, {page->width() + 100, 30}, Qt::LeftButton, Qt::NoButton);
        QVERIFY(!icons.icons()[0].dragging);
        QCOMPARE(device(0)->iconLeft, page->width() - 80);
        QCOMPARE(device(0)->iconTop, 40);
        sendMouse(a, QEvent::MouseMove, {0, 0}, Qt::NoButton, Qt::NoButton);
        QCOMPARE(a->pos(), QPoint(page->width() - 80, 40));
    }

    void rebuildingReplacesTheIconWidgets()
    {
        click(icon(0));
        library.club.eraseClubDevice(0);
        icons.build(library.club, 3);
        pages->rebuildIcons();
        QCOMPARE(pages->iconWidgets().size(), std::size_t(3));
        QCOMPARE(pages->widget(0)->findChildren<TPDevIcon*>().size(), 1); // D only
        QCOMPARE(icon(0)->label()->text(), QStringLiteral("B"));
        QCOMPARE(labelColour(icon(0)), QColor(0, 128, 0));
    }
};

QTEST_MAIN(DevIconTest)
#include "PDevIcon_test.moc"
