// vantorel-cli: back up, compare, script and preview a show without the window.
#include "Commands.h"
#include "ImportFixture.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    CliOptions options;
    try {
        options = parseCliOptions(argc, argv);
        switch (options.command) {
        case CliOptions::Help:
            std::cout << kUsage;
            break;
        case CliOptions::Version:
            std::cout << "vantorel-cli " VANTOREL_VERSION "\n";
            break;
        case CliOptions::Dump:
            dumpCommand(options, std::cout, std::cerr);
            break;
        case CliOptions::Load:
            loadCommand(options, std::cin, std::cerr);
            break;
        case CliOptions::Rewrite:
            rewriteCommand(options, std::cerr);
            break;
        case CliOptions::Render:
            renderCommand(options, std::cout, std::cerr);
            break;
        case CliOptions::Image:
            imageCommand(options, std::cerr);
            break;
        case CliOptions::Beats:
            beatsCommand(options, std::cout);
            break;
        case CliOptions::ImportFixture:
            importFixtureCommand(options, std::cout, std::cerr);
            break;
        }
    } catch (const UsageError& e) {
        std::cerr << "vantorel-cli: " << e.what() << '\n' << kUsage;
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "vantorel-cli: " << e.what() << '\n';
        return 1;
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}
