#include "dmx/SerialPorts.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A miniature /sys/class/tty and /dev.
class FakeSystem {
public:
    FakeSystem()
    {
        root_ = fs::temp_directory_path() / ("vt-ports-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "class/tty");
        fs::create_directories(root_ / "dev");
        for (const char* bus : {"usb-serial", "platform", "serial-base", "pci"})
            fs::create_directories(root_ / "bus" / bus);
    }
    ~FakeSystem() { fs::remove_all(root_); }

    // A tty whose device sits on `bus`; an empty bus means no device at all.
    void addTty(const std::string& name, const std::string& bus, const char* uartType = nullptr,
                bool deviceNode = true)
    {
        fs::path entry = root_ / "class/tty" / name;
        fs::create_directories(entry);
        if (!bus.empty()) {
            fs::path device = root_ / "devices" / name;
            fs::create_directories(device);
            fs::create_directory_symlink(root_ / "bus" / bus, device / "subsystem");
            fs::create_directory_symlink(device, entry / "device");
        }
        if (uartType)
            std::ofstream(entry / "type") << uartType << "\n";
        if (deviceNode)
            std::ofstream(root_ / "dev" / name) << "";
    }

    SerialPortSources sources(std::vector<std::string> given = {}) const
    {
        return {(root_ / "class/tty").string(), (root_ / "dev").string(), std::move(given)};
    }
    std::string dev(const std::string& name) const { return (root_ / "dev" / name).string(); }
    fs::path root() const { return root_; }

private:
    fs::path root_;
};

} // namespace

TEST(SerialPorts, ListsRealDevicesInNaturalOrderThenGivenPaths)
{
    FakeSystem system;
    system.addTty("ttyUSB10", "usb-serial");
    system.addTty("ttyUSB2", "usb-serial");
    system.addTty("ttyACM0", "usb-serial");
    system.addTty("ttyS0", "serial-base", "4");  // a UART is there
    system.addTty("ttyS1", "serial-base", "0");  // an 8250 slot without a UART
    system.addTty("ttyS2", "platform");          // the same on older kernels
    system.addTty("tty1", "");                   // virtual console, no device
    system.addTty("ttyUSB7", "usb-serial", nullptr, false); // no node in /dev

    auto extra = system.root() / "sim-link";
    std::ofstream(extra) << "";
    auto gone = system.root() / "unplugged";
    auto ports = listSerialPorts(
        system.sources({extra.string(), gone.string(), system.dev("ttyS0"), extra.string()}));

    EXPECT_EQ(ports, (std::vector<std::string>{system.dev("ttyACM0"), system.dev("ttyS0"), system.dev("ttyUSB2"),
                                               system.dev("ttyUSB10"), extra.string()}));

    // A given path that disappears drops out of the count at once.
    fs::remove(extra);
    EXPECT_EQ(listSerialPorts(system.sources({extra.string()})).size(), 4u);
}

TEST(SerialPorts, WithoutTheSystemListOnlyGivenPathsCount)
{
    FakeSystem system;
    system.addTty("ttyUSB0", "usb-serial");
    auto sources = system.sources({system.dev("ttyUSB0")});
    sources.ttyClassDirectory.clear();
    EXPECT_EQ(listSerialPorts(sources), std::vector<std::string>{system.dev("ttyUSB0")});

    sources.ttyClassDirectory = (system.root() / "missing").string();
    EXPECT_EQ(serialPortLister(sources)(), std::vector<std::string>{system.dev("ttyUSB0")});
}

TEST(SerialPorts, SplitsColonSeparatedLists)
{
    EXPECT_EQ(splitPortList("/dev/a:/tmp/b"), (std::vector<std::string>{"/dev/a", "/tmp/b"}));
    EXPECT_EQ(splitPortList("::/dev/a:"), std::vector<std::string>{"/dev/a"});
    EXPECT_TRUE(splitPortList("").empty());
}
