// Font and startup picture commands: export, import and PC font rendering.
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "cli/bdf_commands.h"
#include "cli/set_session.h"
#include "core/bitmaps/bmp_export.h"
#include "core/bitmaps/bmp_import.h"
#include "core/bitmaps/font_file.h"
#include "core/bitmaps/glyph_work_set.h"
#include "core/bitmaps/graphic_packing.h"
#include "core/common/web_addresses.h"
#include "render/font_renderer.h"
#include "render/picture_files.h"

namespace zentavour::cli {
namespace {


// The slot named by --slot, when the open model has an editable font there.
std::optional<FontSlotEntry> SlotOf(const Arguments& args, const Command& self, WorkstationModel model,
                                    FontSlot& slot, int& exitCode) {
  const auto parsed = ParseSlot(args.value("slot").value_or(""));
  if (!parsed) {
    exitCode = UsageError(self, "--slot is small, medium, bold or large");
    return std::nullopt;
  }
  slot = *parsed;
  const auto entry = FontSlotTable(model, slot);
  if (!entry) {
    PrintFailure({"Error", "The " + std::string(ModelInfo(model).name) + " OS has no editable " +
                               SlotName(slot) + " font."});
    exitCode = kExitFailed;
  }
  return entry;
}

bool SavePng(const QImage& image, const std::string& path) {
  if (const Status written = WritePngFile(image, path); !written) {
    PrintFailure(written.failure());
    return false;
  }
  return true;
}

int FontExport(const Arguments& args, const Command& self) {
  if (args.operands.size() != 1) return UsageError(self, "name one output file, .glx, .bdf or .png");
  const std::string out = args.operands[0];
  const std::string ext = Extension(out);
  if (ext != "glx" && ext != "bdf" && ext != "png")
    return UsageError(self, "the output file ends in .glx, .bdf or .png");
  SetSession session(args, self);
  if (!session.ok()) return session.exitCode();
  FontSlot slot{};
  int exitCode = kExitOk;
  const auto entry = SlotOf(args, self, session.model(), slot, exitCode);
  if (!entry) return exitCode;
  auto glyphs = LoadGlyphWorkSet(session.set().ExtImage, session.model(), slot);
  if (!glyphs) {
    PrintFailure(glyphs.failure());
    return kExitFailed;
  }
  if (ext == "bdf") return ExportBdfFont(*glyphs, session.model(), slot, out);
  if (ext == "glx") {
    if (const Status saved = SaveFontFile(out, *glyphs, session.model(), slot); !saved) {
      PrintFailure(saved.failure());
      return kExitFailed;
    }
  } else if (const Status saved = ExportFontSheet(*glyphs, *entry, out); !saved) {
    PrintFailure(saved.failure());
    return kExitFailed;
  }
  std::printf("Wrote the %s font to %s\n", SlotName(slot).c_str(), out.c_str());
  return kExitOk;
}

int FontImport(const Arguments& args, const Command& self) {
  if (args.operands.size() != 1) return UsageError(self, "name one font file");
  const bool bdf = Extension(args.operands[0]) == "bdf";
  if (args.has("adjust") && !bdf) return UsageError(self, "--adjust is only for BDF files");
  SetSession session(args, self);
  if (!session.ok()) return session.exitCode();
  FontSlot slot{};
  int exitCode = kExitOk;
  if (!SlotOf(args, self, session.model(), slot, exitCode)) return exitCode;
  if (bdf) return ImportBdfFont(args, self, session, slot, args.operands[0]);
  if (Extension(args.operands[0]) == "png") {
    auto current = LoadGlyphWorkSet(session.set().ExtImage, session.model(), slot);
    if (!current) {
      PrintFailure(current.failure());
      return kExitFailed;
    }
    auto sheet = ImportFontSheet(args.operands[0], *current, *FontSlotTable(session.model(), slot));
    if (!sheet) {
      PrintFailure(sheet.failure());
      return kExitFailed;
    }
    if (const Status stored = session.apply(FontEditName(slot), [&](OsFileSet& open) { return StoreGlyphWorkSet(*sheet, open.ExtImage, open.model, slot); });
        !stored) {
      PrintFailure(stored.failure());
      return kExitFailed;
    }
    return session.SaveAndClose("Loaded the sheet " + args.operands[0] + " into the " +
                                SlotName(slot) + " font and saved the OS files.");
  }
  const auto font = LoadFontFile(args.operands[0], kHomePageAddress);
  if (!font) {
    PrintFailure(font.failure());
    return kExitFailed;
  }
  // The slot's geometry cuts what does not fit, as OK in the font editor does.
  if (const Status stored = session.apply(FontEditName(slot), [&](OsFileSet& open) { return StoreGlyphWorkSet(font->glyphs, open.ExtImage, open.model, slot); });
      !stored) {
    PrintFailure(stored.failure());
    return kExitFailed;
  }
  return session.SaveAndClose("Loaded " + args.operands[0] + " into the " + SlotName(slot) +
                              " font and saved the OS files.");
}

int FontRender(const Arguments& args, const Command& self) {
  const auto family = args.value("family");
  const auto size = ParseInt(args.value("size").value_or(""), 1, 400);
  if (!family || !size) return UsageError(self, "--family NAME and --size PX (1 to 400) are needed");
  std::optional<int> adjust;
  if (const auto text = args.value("adjust")) {
    adjust = ParseInt(*text, -999, 999);
    if (!adjust) return UsageError(self, "--adjust is a whole number");
  }
  SetSession session(args, self);
  if (!session.ok()) return session.exitCode();
  FontSlot slot{};
  int exitCode = kExitOk;
  if (!SlotOf(args, self, session.model(), slot, exitCode)) return exitCode;

  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "zentavour-cli";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  const QString wanted = QString::fromStdString(*family);
  if (!QFontDatabase::families().contains(wanted, Qt::CaseInsensitive)) {
    PrintFailure({"Error", "No installed font is called \"" + *family + "\"."});
    return kExitFailed;
  }
  QFont font(wanted);
  font.setPixelSize(*size);
  const int adjustment = adjust.value_or(LeadingRows(font));
  const GlyphWorkSet glyphs = RenderFont(font, adjustment).glyphs;
  if (const Status stored = session.apply(FontEditName(slot), [&](OsFileSet& open) { return StoreGlyphWorkSet(glyphs, open.ExtImage, open.model, slot); });
      !stored) {
    PrintFailure(stored.failure());
    return kExitFailed;
  }
  return session.SaveAndClose("Rendered " + *family + " " + std::to_string(*size) +
                              " px (vertical adjustment " + std::to_string(adjustment) + ") into the " +
                              SlotName(slot) + " font and saved the OS files.");
}

// The startup picture named by --item, when the model has one there.
std::optional<GraphicTarget> ItemOf(const Arguments& args, const Command& self, WorkstationModel model,
                                    int& exitCode) {
  const auto items = StartupGraphicTable(model);
  const auto item = ParseInt(args.value("item").value_or(""), 0, 4);
  if (!item) {
    exitCode = UsageError(self, "--item is a number from 0 to 4");
    return std::nullopt;
  }
  if (static_cast<std::size_t>(*item) >= items.size() || !items[static_cast<std::size_t>(*item)].used()) {
    PrintFailure({"Error", "The " + std::string(ModelInfo(model).name) + " OS has no startup graphic " +
                               std::to_string(*item) + "."});
    exitCode = kExitFailed;
    return std::nullopt;
  }
  return GraphicTarget::From(items[static_cast<std::size_t>(*item)]);
}

// The one file operand of a graphic command (.bmp or .png), the open set and the picture of
// --item unpacked into a grid. When anything is missing, `done` holds the exit code.
struct GraphicJob {
  std::string file, ext;
  std::optional<SetSession> session;
  std::optional<GraphicTarget> target;
  PixelGrid grid;
  std::optional<int> done;

  GraphicJob(const Arguments& args, const Command& self) {
    if (args.operands.size() != 1) {
      done = UsageError(self, "name one .bmp or .png file");
      return;
    }
    file = args.operands[0];
    ext = Extension(file);
    if (ext != "bmp" && ext != "png") {
      done = UsageError(self, "the file ends in .bmp or .png");
      return;
    }
    session.emplace(args, self);
    if (!session->ok()) {
      done = session->exitCode();
      return;
    }
    int exitCode = kExitOk;
    target = ItemOf(args, self, session->model(), exitCode);
    if (!target) {
      done = exitCode;
      return;
    }
    if (const Status unpacked = UnpackGraphic(session->set().ExtImage, *target, grid); !unpacked) {
      PrintFailure(unpacked.failure());
      done = kExitFailed;
    }
  }
};

int GraphicExport(const Arguments& args, const Command& self) {
  GraphicJob job(args, self);
  if (job.done) return *job.done;
  const std::string& out = job.file;
  const auto& target = job.target;
  const PixelGrid& grid = job.grid;
  const int columns = target->bytesPerRow * 8;
  const std::string& ext = job.ext;
  if (ext == "bmp") {
    if (Status written = WriteWholeFile(out, ExportMonochromeBmp(grid, columns, target->rows));
        !written) {
      PrintFailure({"File Error",
                    "Error Writing Bitmap File " + out + "\n\n" + written.failure().text,
                    written.failure().detail});
      return kExitFailed;
    }
  } else {
    const QImage image = MonochromeImage(grid, columns, target->rows);
    if (!SavePng(image, out)) return kExitFailed;
  }
  std::printf("Wrote the %d x %d startup graphic to %s\n", columns, target->rows, out.c_str());
  return kExitOk;
}

int GraphicImport(const Arguments& args, const Command& self) {
  // Cells the file does not cover keep the picture's own, as in the editor.
  GraphicJob job(args, self);
  if (job.done) return *job.done;
  const std::string& in = job.file;
  const auto& target = job.target;
  PixelGrid& grid = job.grid;
  SetSession& session = *job.session;
  // A BMP by its colour table, a PNG by the threshold: dark opaque pixels are ink.
  const auto picture = ImportPictureFile(in, target->bytesPerRow, target->rows);
  if (!picture) {
    PrintFailure(picture.failure());
    return kExitFailed;
  }
  for (const Failure& warning : picture->warnings) PrintFailure(warning);
  picture->ApplyTo(grid);
  if (const Status packed = session.apply("Edit Startup Graphic", [&](OsFileSet& open) { return PackGraphic(grid, open.ExtImage, *target); }); !packed) {
    PrintFailure(packed.failure());
    return kExitFailed;
  }
  return session.SaveAndClose("Loaded " + in + " into the startup graphic and saved the OS files.");
}

}  // namespace

std::vector<Command> BitmapCommands() {
  const std::string set = std::string("\nSET:\n") + kSetOptionsHelp;
  std::vector<Command> commands{
      {"font export", "save a font as a font file (.glx), a BDF font or a PNG sheet",
       "Usage: zentavour-cli font export SET --slot small|medium|bold|large OUT.glx|OUT.bdf|OUT.png\n\n"
       "Saves the font of the slot as the program's font file, as a BDF 2.1 font for other\n"
       "bitmap font editors, or as a PNG sheet of its 95 characters: each under its code, every\n"
       "pixel 4 x 4, and below it a bar of width marks, dark inside the character's width.\n" + set,
       {{"slot"}, {}}, FontExport},
      {"font import", "load a font file, a BDF font or a PNG sheet into a font and save the set",
       "Usage: zentavour-cli font import SET --slot small|medium|bold|large IN.glx|IN.bdf|IN.png [--adjust A]\n\n"
       "Loads the font file into the slot (what does not fit the slot is cut, as in the font\n"
       "editor), then saves the OS files with renewed checksums. A BDF font's characters 33 to\n"
       "127 are placed on the slot's rows by the font's ascent: A is the font row (0 = top of\n"
       "the ascent) that becomes the glyph's top row (default: none skipped unless the ascent\n"
       "is taller than the slot). Widths come from DWIDTH, cut as Import Font cuts them;\n"
       "characters the file lacks keep their glyphs and are listed as a warning. A PNG sheet is\n"
       "one that font export wrote for the same slot, edited in a paint program: a dark pixel is\n"
       "ink, and each width is read from the sheet's width marks (the dark marks from the left;\n"
       "a full bar keeps a wider current width). Characters left unchanged keep their bytes.\n" + set,
       {{"slot", "adjust"}, {}}, FontImport},
      {"font render", "render an installed font into a font and save the set",
       "Usage: zentavour-cli font render SET --slot S --family NAME --size PX [--adjust A]\n\n"
       "Renders the characters 33 to 127 of an installed font one bit per pixel, as Import Font\n"
       "does, into the slot, then saves the OS files. A is the row of the character cell that\n"
       "becomes the glyph's top row (default: the font's internal plus external leading).\n" + set,
       {{"slot", "family", "size", "adjust"}, {}}, FontRender},
      {"graphic export", "save a startup picture as a one-bit BMP or a PNG",
       "Usage: zentavour-cli graphic export SET --item N OUT.bmp|OUT.png\n\n"
       "Saves startup graphic N (0 to 4, in the order the startup graphics list shows them).\n"
       "The BMP is one bit per pixel, shown the right way round by paint programs, and loads\n"
       "back to the same picture.\n" + set,
       {{"item"}, {}}, GraphicExport},
      {"graphic import", "load a BMP or PNG into a startup picture and save the set",
       "Usage: zentavour-cli graphic import SET --item N IN.bmp|IN.png\n\n"
       "Loads a one-bit BMP by the rules of Load Bitmap (warnings on stderr), or a PNG whose\n"
       "dark pixels become ink, into startup graphic N, then saves the OS files.\n" + set,
       {{"item"}, {}}, GraphicImport},
  };
  for (Command& c : commands) AddSetOptions(c.options);
  return commands;
}

}  // namespace zentavour::cli
