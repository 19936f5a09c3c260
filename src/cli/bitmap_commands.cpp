// Font and startup picture commands: export, import and PC font rendering.
#include <QBuffer>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "cli/set_session.h"
#include "core/bitmaps/bmp_export.h"
#include "core/bitmaps/bmp_import.h"
#include "core/bitmaps/font_file.h"
#include "core/bitmaps/glyph_work_set.h"
#include "core/bitmaps/graphic_packing.h"
#include "core/bitmaps/rendered_glyph.h"
#include "core/common/web_addresses.h"
#include "core/samples/tiny_font.h"

namespace zentavour::cli {
namespace {

constexpr int kSheetScale = 4;
constexpr int kSheetColumns = 16;

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

// Encoded in memory first, then written as every file is: whole or not at all.
bool SavePng(const QImage& image, const std::string& path) {
  QByteArray encoded;
  QBuffer buffer(&encoded);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
    PrintFailure(
        FileError("Error Writing PNG File " + path + "\n\nThe picture could not be encoded."));
    return false;
  }
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(encoded.constData());
  if (Status written =
          WriteWholeFile(path, ByteView(bytes, static_cast<std::size_t>(encoded.size())));
      !written) {
    PrintFailure({"File Error", "Error Writing PNG File " + path + "\n\n" + written.failure().text,
                  written.failure().detail});
    return false;
  }
  return true;
}

// The 95 glyphs in rows of 16, each under its character code, ink black on white.
QImage FontSheet(const GlyphWorkSet& glyphs, int rows) {
  int widest = 8;
  for (const GlyphRecord& g : glyphs) widest = std::max(widest, static_cast<int>(g.bytes[0]));
  widest = std::min(widest, PixelGrid::kColumns);
  const int cellWidth = std::max(widest * kSheetScale, 3 * 6 * 2) + 8;
  const int cellHeight = rows * kSheetScale + kTinyFontHeight * 2 + 10;
  const int sheetRows = (kGlyphCount + kSheetColumns - 1) / kSheetColumns;
  QImage sheet(cellWidth * kSheetColumns, cellHeight * sheetRows, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter painter(&sheet);
  for (int k = 0; k < kGlyphCount; ++k) {
    const int left = (k % kSheetColumns) * cellWidth;
    const int top = (k / kSheetColumns) * cellHeight;
    const std::string code = std::to_string(kFirstGlyphCode + k);
    for (std::size_t i = 0; i < code.size(); ++i) {
      for (int x = 0; x < kTinyFontWidth; ++x) {
        for (int y = 0; y < kTinyFontHeight; ++y) {
          if (TinyFontDot(code[i], x, y)) {
            painter.fillRect(left + 4 + (static_cast<int>(i) * 6 + x) * 2, top + 3 + y * 2, 2, 2,
                             QColor(0x60, 0x60, 0x90));
          }
        }
      }
    }
    PixelGrid grid;
    const int width = UnpackGlyph(glyphs[static_cast<std::size_t>(k)], rows, grid);
    const int glyphTop = top + kTinyFontHeight * 2 + 6;
    painter.fillRect(left + 4, glyphTop, std::min(width, widest) * kSheetScale, rows * kSheetScale,
                     QColor(0xF0, 0xF0, 0xE0));
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < std::min(width, widest); ++c) {
        if (grid.at(r, c)) {
          painter.fillRect(left + 4 + c * kSheetScale, glyphTop + r * kSheetScale, kSheetScale,
                           kSheetScale, Qt::black);
        }
      }
    }
  }
  return sheet;
}

int FontExport(const Arguments& args, const Command& self) {
  if (args.operands.size() != 1) return UsageError(self, "name one output file, .glx or .png");
  const std::string out = args.operands[0];
  const std::string ext = Extension(out);
  if (ext != "glx" && ext != "png") return UsageError(self, "the output file ends in .glx or .png");
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
  if (ext == "glx") {
    if (const Status saved = SaveFontFile(out, *glyphs, session.model(), slot); !saved) {
      PrintFailure(saved.failure());
      return kExitFailed;
    }
  } else if (!SavePng(FontSheet(*glyphs, entry->rows), out)) {
    return kExitFailed;
  }
  std::printf("Wrote the %s font to %s\n", SlotName(slot).c_str(), out.c_str());
  return kExitOk;
}

int FontImport(const Arguments& args, const Command& self) {
  if (args.operands.size() != 1) return UsageError(self, "name one font file");
  SetSession session(args, self);
  if (!session.ok()) return session.exitCode();
  FontSlot slot{};
  int exitCode = kExitOk;
  if (!SlotOf(args, self, session.model(), slot, exitCode)) return exitCode;
  std::string why;
  const auto font = LoadFontFile(args.operands[0], kHomePageAddress, ExplainingOpener(why));
  if (!font) {
    Failure failure = font.failure();
    if (failure.detail.empty()) failure.detail = why;
    PrintFailure(failure);
    return kExitFailed;
  }
  // The slot's geometry cuts what does not fit, as OK in the font editor does.
  if (const Status stored = StoreGlyphWorkSet(font->glyphs, session.set().ExtImage, session.model(), slot);
      !stored) {
    PrintFailure(stored.failure());
    return kExitFailed;
  }
  return session.SaveAndClose("Loaded " + args.operands[0] + " into the " + SlotName(slot) +
                              " font and saved the OS files.");
}

// Renders one character the way the font import does: one bit per pixel at the font's own size.
GlyphRecord RenderGlyph(const QFont& font, const QFontMetrics& metrics, int code, int adjustment) {
  const QChar ch(code);
  const int advance = metrics.horizontalAdvance(ch);
  const int height = metrics.height();
  if (advance <= 0 || height <= 0) return GlyphRecord{};
  QImage image(advance, height, QImage::Format_Mono);
  image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
  image.fill(0);
  {
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0));
    painter.drawText(0, metrics.ascent(), QString(ch));
  }
  RenderedCharacter rendered;
  rendered.advanceWidth = advance;
  rendered.cellHeight = height;
  rendered.bytesPerLine = static_cast<int>(image.bytesPerLine());
  rendered.bits = ByteView(image.constBits(), static_cast<std::size_t>(image.sizeInBytes()));
  return GlyphFromRendering(rendered, adjustment);
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
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  const QFontMetrics metrics(font);
  const int adjustment = adjust.value_or(metrics.height() - *size + metrics.leading());

  GlyphWorkSet glyphs{};
  for (int k = 0; k < kGlyphCount; ++k) {
    glyphs[static_cast<std::size_t>(k)] = RenderGlyph(font, metrics, kFirstGlyphCode + k, adjustment);
  }
  if (const Status stored = StoreGlyphWorkSet(glyphs, session.set().ExtImage, session.model(), slot);
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
    QImage image(columns, target->rows, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    for (int r = 0; r < target->rows; ++r) {
      for (int c = 0; c < columns; ++c) image.setPixel(c, r, grid.at(r, c));
    }
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
  const std::string& ext = job.ext;
  const auto& target = job.target;
  PixelGrid& grid = job.grid;
  SetSession& session = *job.session;
  const int columns = target->bytesPerRow * 8;
  if (ext == "bmp") {
    const auto bytes = ReadBitmapFile(in);
    if (!bytes) {
      PrintFailure(bytes.failure());
      return kExitFailed;
    }
    const auto bitmap = ImportMonochromeBmp(*bytes, target->bytesPerRow, target->rows);
    if (!bitmap) {
      PrintFailure(bitmap.failure());
      return kExitFailed;
    }
    for (const Failure& warning : bitmap->warnings) PrintFailure(warning);
    bitmap->ApplyTo(grid);
  } else {
    QImage image;
    if (!image.load(QString::fromStdString(in), "PNG")) {
      PrintFailure(FileError("This is not a valid PNG file."));
      return kExitFailed;
    }
    if (image.width() > columns) PrintFailure({"Warning", std::string(kBmpTooWideText)});
    if (image.height() > target->rows) PrintFailure({"Warning", std::string(kBmpTooTallText)});
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int r = 0; r < std::min(image.height(), target->rows); ++r) {
      for (int c = 0; c < std::min(image.width(), columns); ++c) {
        const QRgb pixel = image.pixel(c, r);
        // Dark, opaque pixels are ink.
        const bool ink = qAlpha(pixel) >= 128 && qGray(pixel) < 128;
        grid.set(r, c, ink ? 1 : 0);
      }
    }
  }
  if (const Status packed = PackGraphic(grid, session.set().ExtImage, *target); !packed) {
    PrintFailure(packed.failure());
    return kExitFailed;
  }
  return session.SaveAndClose("Loaded " + in + " into the startup graphic and saved the OS files.");
}

}  // namespace

std::vector<Command> BitmapCommands() {
  const std::string set = std::string("\nSET:\n") + kSetOptionsHelp;
  std::vector<Command> commands{
      {"font export", "save a font as a font file (.glx) or a PNG sheet",
       "Usage: zentavour-cli font export SET --slot small|medium|bold|large OUT.glx|OUT.png\n\n"
       "Saves the font of the slot as the program's font file, or as a PNG sheet of its 95\n"
       "characters with their codes.\n" + set,
       {{"slot"}, {}}, FontExport},
      {"font import", "load a font file into a font and save the set",
       "Usage: zentavour-cli font import SET --slot small|medium|bold|large IN.glx\n\n"
       "Loads the font file into the slot (what does not fit the slot is cut, as in the font\n"
       "editor), then saves the OS files with renewed checksums.\n" + set,
       {{"slot"}, {}}, FontImport},
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
