#pragma once
// The commands of vantorel-cli. Each loads the show as the program does at start-up
// (damaged files are reported on `err` and set aside) and throws std::runtime_error with a
// one-line message when its input is refused; nothing is written then.

#include "Options.h"

#include <iosfwd>

void dumpCommand(const CliOptions& options, std::ostream& out, std::ostream& err);
void loadCommand(const CliOptions& options, std::istream& in, std::ostream& err);
void rewriteCommand(const CliOptions& options, std::ostream& err);
void renderCommand(const CliOptions& options, std::ostream& out, std::ostream& err);
void imageCommand(const CliOptions& options, std::ostream& err);
// The beats of a WAV file as the live tracker finds them, then the final tempo.
void beatsCommand(const CliOptions& options, std::ostream& out);
