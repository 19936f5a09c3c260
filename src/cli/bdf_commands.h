#pragma once

#include <string>

#include "cli/command.h"
#include "cli/set_session.h"
#include "core/bitmaps/glyph_work_set.h"

namespace zentavour::cli {

// `font export ... OUT.bdf`: writes the slot's glyphs as a BDF file. Returns the exit code.
int ExportBdfFont(const GlyphWorkSet& glyphs, WorkstationModel model, FontSlot slot,
                  const std::string& out);

// `font import ... IN.bdf [--adjust A]`: reads the whole file first, then places its characters
// on the slot's rows and saves the set. Returns the exit code.
int ImportBdfFont(const Arguments& args, const Command& self, SetSession& session, FontSlot slot,
                  const std::string& in);

}  // namespace zentavour::cli
