// The preview of the light on the offscreen platform: what one frame costs the window thread, the
// copy of the frame, the looks and the repaint of the halos. 128 icons fill a page of a 1600 x 1000
// window, so 512 devices stand on four pages, one of them shown; 512 on one page is the worst case,
// the icons overlapping by half.
#include "club/PDevIcon.h"
#include "club/PIconPages.h"
#include "common/Heap.h"
#include "common/PPicture.h"
#include "functions/PLookPreview.h"
#include "library/Library.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

namespace {

// The window of a 1600 x 1000 screen, and the part of its page the icons may take.
constexpr int kWindowWidth = 1480;
constexpr int kWindowHeight = 920;
constexpr int kFieldWidth = 1440;
constexpr int kFieldHeight = 840;

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

// Icons on pages of equal share, pars and heads in turn, as closely as the demo show sets them;
// the first page is shown.
struct Desk {
    KyLibrary library;
    KyIcons icons;
    std::mutex lock;
    KyDmxSpace::Universe output{};
    QWidget window;
    TPIconPages* pages = nullptr;
    TPLookPreview* preview = nullptr;

    Desk(int devices, int pageCount)
    {
        library.addDevice(rgbPar());
        library.addDevice(head());
        const int perPage = devices / pageCount;
        const int columns = perPage > 128 ? 32 : 16;
        const int rows = (perPage + columns - 1) / columns;
        for (int i = 0; i < devices; ++i) {
            KyClubDevice device(library.deviceAt(static_cast<std::size_t>(i % 2)));
            device.startAddress = 1 + (i * 4) % 508;
            device.page = i / perPage;
            device.iconLeft = 20 + i % perPage % columns * (kFieldWidth / columns);
            device.iconTop = 20 + i % perPage / columns * (kFieldHeight / rows);
            library.club.addClubDevice(device);
        }
        icons.build(library.club, static_cast<std::size_t>(pageCount));
        pages = new TPIconPages(icons, lock, &window);
        for (int p = 1; p <= pageCount; ++p)
            pages->addPage(QStringLiteral("Strona %1").arg(p));
        pages->rebuildIcons();
        window.resize(kWindowWidth, kWindowHeight);
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
std::map<std::pair<int, int>, std::unique_ptr<Desk>> desks;

// Devices and pages from the benchmark's arguments.
Desk& desk(const benchmark::State& state)
{
    const auto devices = static_cast<int>(state.range(0));
    const auto pageCount = static_cast<int>(state.range(1));
    auto& d = desks[{devices, pageCount}];
    if (!d)
        d = std::make_unique<Desk>(devices, pageCount);
    return *d;
}

void deskSizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgNames({"devices", "pages"})->Args({128, 1})->Args({512, 4})->Args({512, 1});
}

void BM_PreviewFrameAllChanged(benchmark::State& state)
{
    Desk& d = desk(state);
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
BENCHMARK(BM_PreviewFrameAllChanged)->Apply(deskSizes)->Unit(benchmark::kMillisecond);

// A still desk: the frame is the same, nothing repaints.
void BM_PreviewFrameNothingChanged(benchmark::State& state)
{
    Desk& d = desk(state);
    d.change(0);
    d.preview->refresh();
    d.preview->refresh();
    Desk::settle();
    for (auto _ : state) {
        d.preview->refresh();
        Desk::settle();
    }
}
BENCHMARK(BM_PreviewFrameNothingChanged)->Apply(deskSizes)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    vt::keepFreedMemory(); // as the program does
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    desks.clear();
    return 0;
}
