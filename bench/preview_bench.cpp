// The preview of the light on a page of 128 or 512 icons, on the offscreen platform: what one frame
// costs the window thread, the copy of the frame, the looks and the repaint of the halos.
#include "club/PDevIcon.h"
#include "club/PIconPages.h"
#include "common/PPicture.h"
#include "functions/PLookPreview.h"
#include "library/Library.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <memory>
#include <mutex>

namespace {

constexpr int kColumns = 16;

KyDimmer channel(std::int32_t c)
{
    KyDimmer d;
    d.active = true;
    d.channel = c;
    return d;
}

KyDevice rgbPar()
{
    KyDevice type;
    type.color2.active = true;
    type.color2.component1 = channel(1);
    type.color2.component2 = channel(2);
    type.color2.component3 = channel(3);
    type.intensity = channel(4);
    return type;
}

// Pan 1, tilt 2, a colour wheel of eight pictured slots on 3, intensity on 4.
KyDevice head()
{
    KyDevice type;
    type.panTilt.active = true;
    type.panTilt.panChannel = 1;
    type.panTilt.tiltChannel = 2;
    type.color1.wheel = channel(3);
    for (int k = 0; k < 8; ++k) {
        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(k * 45, 255, 255));
        KyIcon slot;
        slot.value = k * 32;
        const auto bmp = *vt::bmpFromImage(picture);
        slot.picture.assign(bmp.begin(), bmp.end());
        type.color1.addSlot(slot);
    }
    type.intensity = channel(4);
    return type;
}

// Icons on one page, pars and heads in turn, as closely as the demo show sets them: 128 fill
// a page of a 1600 x 1000 window.
struct Desk {
    KyLibrary library;
    KyIcons icons;
    std::mutex lock;
    KyDmxSpace::Universe output{};
    QWidget window;
    TPIconPages* pages = nullptr;
    TPLookPreview* preview = nullptr;

    explicit Desk(int devices)
    {
        library.addDevice(rgbPar());
        library.addDevice(head());
        for (int i = 0; i < devices; ++i) {
            KyClubDevice device(library.deviceAt(static_cast<std::size_t>(i % 2)));
            device.startAddress = 1 + (i * 4) % 508;
            device.iconLeft = 20 + (i % kColumns) * 90;
            device.iconTop = 20 + (i / kColumns) * 105;
            library.club.addClubDevice(device);
        }
        icons.build(library.club, 1);
        pages = new TPIconPages(icons, lock, &window);
        pages->addPage(QStringLiteral("Strona 1"));
        pages->rebuildIcons();
        window.resize(40 + kColumns * 90, 80 + devices / kColumns * 105);
        pages->resize(window.size());
        window.show();
        preview = new TPLookPreview(*pages, icons, [this](KyDmxSpace::Universe& frame) {
            std::lock_guard guard(lock);
            frame = output;
        }, &window);
        preview->setOn(true);
        settle();
    }

    // Every device looks different in the next frame.
    void change(int step)
    {
        for (int i = 0; i < KyDmxSpace::kChannels; ++i)
            output[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 37 + step * 71);
    }

    static void settle()
    {
        QApplication::sendPostedEvents();
        QApplication::processEvents();
    }
};

// Made on first use and gone before the application.
std::map<int, std::unique_ptr<Desk>> desks;

Desk& desk(int devices)
{
    auto& d = desks[devices];
    if (!d)
        d = std::make_unique<Desk>(devices);
    return *d;
}

void BM_PreviewFrameAllChanged(benchmark::State& state)
{
    Desk& d = desk(static_cast<int>(state.range(0)));
    int step = 0;
    std::chrono::steady_clock::duration refreshing{}, painting{};
    for (auto _ : state) {
        d.change(++step);
        const auto start = std::chrono::steady_clock::now();
        d.preview->refresh();
        const auto refreshed = std::chrono::steady_clock::now();
        Desk::settle();
        refreshing += refreshed - start;
        painting += std::chrono::steady_clock::now() - refreshed;
    }
    // The frame's two halves: looks and invalidation, then the repaint.
    auto perFrameMs = [&](auto span) {
        return std::chrono::duration<double, std::milli>(span).count() / static_cast<double>(state.iterations());
    };
    state.counters["refresh_ms"] = perFrameMs(refreshing);
    state.counters["paint_ms"] = perFrameMs(painting);
}
BENCHMARK(BM_PreviewFrameAllChanged)->Arg(128)->Arg(512)->Unit(benchmark::kMillisecond);

// A still desk: the frame is the same, nothing repaints.
void BM_PreviewFrameNothingChanged(benchmark::State& state)
{
    Desk& d = desk(static_cast<int>(state.range(0)));
    d.change(0);
    d.preview->refresh();
    d.preview->refresh();
    Desk::settle();
    for (auto _ : state) {
        d.preview->refresh();
        Desk::settle();
    }
}
BENCHMARK(BM_PreviewFrameNothingChanged)->Arg(128)->Arg(512)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    desks.clear();
    return 0;
}
