#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

#include "core/osfiles/os_file_set.h"
#include "gui/common/application_state.h"
#include "scripted_prompts.h"
#include "support/temp_dir.h"

class QPushButton;

namespace zentavour::testing {

// Acts on the next modal dialog of type T from inside its own event loop; the action must end
// the dialog. A dialog still up after the timeout is rejected, so a broken test fails instead
// of hanging.
template <class T>
void OnNextModal(std::function<void(T*)> action, int timeoutMs = 5000) {
  auto* timer = new QTimer;
  auto waited = std::make_shared<int>(0);
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, waited, action, timeoutMs] {
    QWidget* modal = QApplication::activeModalWidget();
    if (T* dialog = qobject_cast<T*>(modal)) {
      timer->stop();
      timer->deleteLater();
      QPointer<T> alive(dialog);
      action(dialog);
      // Every scripted action ends its dialog; one left up would hang the test.
      if (alive && alive->isVisible()) {
        ADD_FAILURE() << "the modal dialog was left open";
        alive->reject();
      }
      return;
    }
    *waited += 5;
    if (*waited >= timeoutMs) {
      timer->stop();
      timer->deleteLater();
      ADD_FAILURE() << "the expected modal dialog did not appear";
      if (auto* other = qobject_cast<QDialog*>(modal)) other->reject();
    }
  });
  timer->start();
}

// Enter with the focus on button, as the user presses it after tabbing there.
void PressEnterOn(QWidget* window, QPushButton* button);

// A scripted application: a temporary folder, the scripted prompts and the state.
struct GuiHarness {
  TempDir dir;
  ScriptedPrompts prompts;
  ApplicationState state{prompts};

  // Writes the model's sample set into its own subfolder.
  SampleSetPaths writeSet(WorkstationModel model, SaloneLayout layout = SaloneLayout::II);
  // Writes the model's sample set and has the state open it, as the Load OS Files dialog does.
  SampleSetPaths openSet(WorkstationModel model);
};

// Drives an open Load OS Files dialog as a user would: picks the model, browses every file of
// the set (answered from paths) and presses OK.
void LoadThroughDialog(QDialog* dialog, ScriptedPrompts& prompts, WorkstationModel model,
                       const SampleSetPaths& paths);

}  // namespace zentavour::testing
