#pragma once

#include <QListWidget>
#include <QWidget>
#include <string>

#include "../gui_test_support.h"
#include "core/pcg/pcg_index.h"
#include "gui/pcg/pcg_windows.h"

namespace zentavour::testing {

// The application with the PCG windows on a stand-in main window.
struct PcgHarness {
  GuiHarness app;
  const PcgIndex& index = app.state.pcgIndex();
  QWidget owner;
  PcgWindows windows{app.state, &owner};

  // Writes the sample PCG file of the model code and returns its path.
  std::string writeSamplePcg(int modelCode);
  // Writes bytes as a PCG file.
  std::string writePcg(const std::string& name, ByteView bytes);
  // Opens path through the "Open PCG" command, the chooser answering with it.
  void openThroughMenu(const std::string& path);
  // "Close OS Files" answered with Yes (save) or No.
  void closeOsSet(bool save);
};

// Moves the pointer over row of a list, as hovering does.
void HoverRow(QListWidget* list, int row);

QStringList ListTexts(const QListWidget* list);

}  // namespace zentavour::testing
