// BDF fonts in and out of a font slot.
#include "cli/bdf_commands.h"

#include <cstdio>

#include "core/bitmaps/bdf_font.h"

namespace zentavour::cli {

int ExportBdfFont(const GlyphWorkSet& glyphs, WorkstationModel model, FontSlot slot,
                  const std::string& out) {
  if (const Status saved = SaveBdfFile(out, glyphs, model, slot); !saved) {
    PrintFailure(saved.failure());
    return kExitFailed;
  }
  std::printf("Wrote the %s font to %s\n", SlotName(slot).c_str(), out.c_str());
  return kExitOk;
}

int ImportBdfFont(const Arguments& args, const Command& self, SetSession& session, FontSlot slot,
                  const std::string& in) {
  std::optional<int> adjust;
  if (const auto text = args.value("adjust")) {
    adjust = ParseInt(*text, -999, 999);
    if (!adjust) return UsageError(self, "--adjust is a whole number from -999 to 999");
  }
  const auto entry = FontSlotTable(session.model(), slot);
  auto current = LoadGlyphWorkSet(session.set().ExtImage, session.model(), slot);
  if (!entry || !current) {
    PrintFailure(current ? Failure{"Error", "This font does not exist."} : current.failure());
    return kExitFailed;
  }
  const auto font = LoadBdfFile(in);
  if (!font) {
    PrintFailure(font.failure());
    return kExitFailed;
  }
  const BdfImport imported = ImportBdfGlyphs(*font, *current, entry->rows, adjust);
  if (const auto warning = imported.warning()) PrintFailure(*warning);
  if (const Status stored =
          session.apply(FontEditName(slot), [&](OsFileSet& open) { return StoreGlyphWorkSet(imported.glyphs, open.ExtImage, open.model, slot); });
      !stored) {
    PrintFailure(stored.failure());
    return kExitFailed;
  }
  return session.SaveAndClose("Loaded " + in + " into the " + SlotName(slot) +
                              " font (vertical adjustment " + std::to_string(imported.adjustment) +
                              ") and saved the OS files.");
}

}  // namespace zentavour::cli
