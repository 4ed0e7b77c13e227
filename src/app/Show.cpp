#include "app/Show.h"

KyShow::KyShow(DataPaths paths, SerialPortLister ports)
    : usb(std::move(ports)), pageNames{"Strona 1"}, paths_(std::move(paths))
{
    for (int i = 0; i < 10; ++i)
        zoneNames[static_cast<std::size_t>(i)] = std::to_string(i + 1);
}

void KyShow::loadAll(std::vector<std::string>&) {}

std::vector<std::string> KyShow::saveAtExit()
{
    return {};
}

void KyShow::tick()
{
    std::lock_guard lock(showLock_);
    tickLocked();
}

void KyShow::tickLocked()
{
    if (closeState_ == Running) {
        dmx.keepHeldOnly();

        sendOutputFrame();
    }
    if (closeState_ == CloseRequested) {
        usb.closePort();
        closeState_ = OutputClosed;
    }
}

void KyShow::sendOutputFrame()
{
    if (!usb.sendFrame(dmx.data(), inputChanged))
        usb.reconnectStep();
}

void KyShow::requestClose()
{
    std::lock_guard lock(showLock_);
    closeState_ = CloseRequested;
}

void KyShow::cancelClose()
{
    std::lock_guard lock(showLock_);
    if (closeState_ != Running)
        usb.reopenPort();
    closeState_ = Running;
}

std::uint8_t KyShow::closeState()
{
    std::lock_guard lock(showLock_);
    return closeState_;
}
