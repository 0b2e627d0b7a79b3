#include "ui/window_actions.h"

#include <windows.h>

#include "base/string_ids.h"
#include "base/string_table.h"
#include "engine/conversion_job.h"
#include "files/file_names.h"
#include "ui/actions_host.h"
#include "ui/file_chooser.h"
#include "ui/message_box.h"

namespace toridasu::ui {

namespace {

// The system's default sound, as MessageBeep knows it (a 16-bit -1).
constexpr uint32_t kDefaultBeep = 0xFFFF;

constexpr char kSourceExtension[] = ".dxf";

void PlatformBeep(uint32_t type) { MessageBeep(type); }

void Say(ActionsHost& host, uint32_t textId, MessageBoxKind kind) {
  host.Feedback().showMessage(LoadResString(textId), kind, ButtonBit(bnOK), 0);
}

// An input warning: the beep comes before the box is built.
void Warn(ActionsHost& host, uint32_t textId, FieldId field) {
  host.Feedback().beep(kDefaultBeep);
  Say(host, textId, mkWarning);
  host.FocusField(field);
}

// Runs a chooser from what the field holds and puts the chosen name, without
// its extension, back into the field.
void Browse(ActionsHost& host, FieldId field, TOpenDialog& chooser, bool sourceMustExist) {
  std::string text = host.FieldText(field);
  if (sourceMustExist && !FileIsPresent(text + kSourceExtension, *host.Conversion().platform)) {
    text.clear();
  }
  chooser.SetFileName(FileNamePart(text));
  chooser.SetInitialDir(DirectoryPart(text));
  if (!chooser.Execute()) return;
  host.SetFieldText(field, ReplaceExtension(chooser.FileName(), ""));
}

}  // namespace

const ActionFeedback& PlatformFeedback() {
  static const ActionFeedback platform = {&PlatformBeep, &ShowMessageBox};
  return platform;
}

void FormShow(ActionsHost&) {}

void Button1Click(ActionsHost& host) { Browse(host, FieldId::kSource, host.SourceChooser(), true); }

void Button3Click(ActionsHost& host) {
  Browse(host, FieldId::kDestination, host.DestinationChooser(), false);
}

// An existing source that cannot be opened leaves this action as the job's
// EInOutError; the window's dispatch hands it to the shell's error report.
void Button2Click(ActionsHost& host) {
  const std::string source = host.FieldText(FieldId::kSource);
  const std::string destination = host.FieldText(FieldId::kDestination);
  if (source.empty()) {
    Warn(host, text_id::kSourceMissingText, FieldId::kSource);
    return;
  }
  if (destination.empty()) {
    Warn(host, text_id::kDestinationMissingText, FieldId::kDestination);
    return;
  }
  const std::string sourceName = source + kSourceExtension;
  const ConversionContext& context = host.Conversion();
  if (!FileIsPresent(sourceName, *context.platform)) {
    Warn(host, text_id::kSourceNotFound, FieldId::kSource);
    return;
  }
  if (ConvertDxfToCsv(sourceName, destination, context)) {
    Say(host, text_id::kConverted, mkInformation);
  } else {
    Say(host, text_id::kNotConverted, mkWarning);
  }
}

void Button4Click(ActionsHost& host) { host.Close(); }

}  // namespace toridasu::ui
