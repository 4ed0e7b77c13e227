#include "input/OscInput.h"

#include <lo/lo.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// liblo reports malformed packets here; they are ignored.
void ignoreError(int, const char*, const char*) {}

int handle(const char* path, const char* types, lo_arg** argv, int argc, lo_message message, void* input)
{
    static_cast<KyOscInput*>(input)->received(path, types, reinterpret_cast<void* const*>(argv), argc,
                                              lo_message_get_source(message));
    return 0;
}

bool readableAddress(const char* path)
{
    const std::size_t length = std::strlen(path);
    return length > 1 && length <= KyOscInput::kMaxAddress && path[0] == '/' &&
           std::all_of(path, path + length, [](char c) { return c > ' ' && c < 127 && c != '#'; });
}

// The message's one number, or 1 for a bare address; NaN for anything else.
float valueOf(const char* types, void* const* argv, int argc)
{
    if (argc == 0)
        return 1;
    if (argc != 1)
        return NAN;
    const lo_arg& arg = *static_cast<const lo_arg*>(argv[0]);
    switch (types[0]) {
    case LO_INT32:
        return float(arg.i);
    case LO_FLOAT:
        return arg.f;
    case LO_DOUBLE:
        return float(arg.d);
    case LO_INT64:
        return float(arg.h);
    case LO_TRUE:
        return 1;
    case LO_FALSE:
        return 0;
    default:
        return NAN;
    }
}

} // namespace

KyOscInput::KyOscInput(KyInputQueue& queue) : queue_(queue) {}

KyOscInput::~KyOscInput()
{
    stop();
}

bool KyOscInput::start(std::uint16_t port, std::string& error)
{
    stop();
    const std::string service = std::to_string(port);
    lo_server server = lo_server_new_with_proto(service.c_str(), LO_UDP, ignoreError);
    if (!server) {
        error = "UDP " + service;
        return false;
    }
    lo_server_add_method(server, nullptr, nullptr, handle, this);
    server_ = server;
    stopping_ = false;
    thread_ = std::thread([this] { run(); });
    return true;
}

void KyOscInput::stop()
{
    if (!server_)
        return;
    stopping_ = true;
    thread_.join();
    lo_server_free(static_cast<lo_server>(server_));
    server_ = nullptr;
    std::lock_guard lock(sendersLock_);
    senders_.clear();
}

void KyOscInput::run()
{
    while (!stopping_)
        lo_server_recv_noblock(static_cast<lo_server>(server_), 100);
}

void KyOscInput::received(const char* path, const char* types, void* const* argv, int argc, void* source)
{
    const float value = valueOf(types, argv, argc);
    if (!readableAddress(path) || std::isnan(value))
        return;
    if (auto* from = static_cast<lo_address>(source)) {
        const char* host = lo_address_get_hostname(from);
        const char* port = lo_address_get_port(from);
        if (host && port)
            keepSender(host, port);
    }
    queue_.push({{KyInputId::Osc, 0, 0, path}, value});
}

void KyOscInput::keepSender(std::string host, std::string port)
{
    std::lock_guard lock(sendersLock_);
    auto sender = std::make_pair(std::move(host), std::move(port));
    auto known = std::find(senders_.begin(), senders_.end(), sender);
    if (known != senders_.end())
        senders_.erase(known);
    else if (senders_.size() == kMaxSenders)
        senders_.erase(senders_.begin());
    senders_.push_back(std::move(sender));
}

void KyOscInput::sendToSenders(const std::string& address, int value)
{
    if (!server_)
        return;
    std::lock_guard lock(sendersLock_);
    for (const auto& [host, port] : senders_) {
        lo_address target = lo_address_new(host.c_str(), port.c_str());
        lo_send_from(target, static_cast<lo_server>(server_), lo_timetag{0, 1}, address.c_str(), "i", value);
        lo_address_free(target);
    }
}
