#pragma once
// vantorel-cli import-fixture: device types from the modes of a fixture definition (.qxf).

#include "Options.h"

#include <iosfwd>

// Prints "<id>\t<name>" per added type on `out` and one line per left-out channel on `err`.
// Throws std::runtime_error naming what failed: an unreadable file or library writes nothing;
// of several modes, those that import are still saved.
void importFixtureCommand(const CliOptions& options, std::ostream& out, std::ostream& err);
