// The one place that sees the OLA client library.

#include "dmx/OlaOutput.h"

#include <ola/DmxBuffer.h>
#include <ola/client/StreamingClient.h>

namespace {

class KyOlaClient final : public KyOlaConnection {
public:
    explicit KyOlaClient(std::uint16_t port) : client_(optionsFor(port)) {}

    bool connect() override { return client_.Setup(); }

    bool send(unsigned universe, std::span<const std::uint8_t, 512> frame) override
    {
        buffer_.Set(frame.data(), static_cast<unsigned>(frame.size()));
        return client_.SendDmx(universe, buffer_);
    }

    void disconnect() override { client_.Stop(); }

private:
    static ola::client::StreamingClient::Options optionsFor(std::uint16_t port)
    {
        ola::client::StreamingClient::Options options;
        options.auto_start = false; // starting the daemon is the user's business
        options.server_port = port;
        return options;
    }

    ola::client::StreamingClient client_;
    ola::DmxBuffer buffer_;
};

} // namespace

std::unique_ptr<KyOlaConnection> olaDaemonConnection(std::uint16_t port)
{
    return std::make_unique<KyOlaClient>(port);
}
