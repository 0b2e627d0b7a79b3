// An output file that takes the place of the file it names only once it is
// whole: the bytes go to a temporary file beside that file, which replaces
// it at Replace(). Until then a failure, an interruption or the end of the
// process leaves the previous file exactly as it was. Devices and pipes
// cannot be replaced and are written directly; a failure never removes
// them, nor any file that was there before.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "io/platform_file_sink.h"
#include "platform/platform.h"

namespace toridasu {

class ReplacingFileSink final : public PlatformFileSink {
 public:
  // The temporary file's name for a target at the given attempt (from 1):
  // another name is tried while a file of that name exists.
  using TemporaryNames = std::function<std::string(const std::string& target, unsigned attempt)>;

  // `name` is the output as the user named it. `target` is the file that
  // takes its place: where its links end, or `name` itself; empty when a
  // file behind `name` has no name of its own to replace (a link of the
  // system's to an open file), which is then written where it is. The names
  // are the converter's: UTF-8 on Windows (`encoding` tells their rules),
  // the system's bytes elsewhere.
  ReplacingFileSink(Platform& platform, std::string_view name, std::string_view target,
                    NameEncoding encoding, TemporaryNames temporaryNames);
  ~ReplacingFileSink() override;
  ReplacingFileSink(const ReplacingFileSink&) = delete;
  ReplacingFileSink& operator=(const ReplacingFileSink&) = delete;

  // After a conversion that succeeded and closed the output: the output
  // takes the target's place. 0, or the code of the failure, after which
  // the temporary file is gone and the target is as it was.
  uint32_t Replace();

  // Takes away the temporary file; what was written directly stays.
  void RemoveOutput() override;

 protected:
  uint32_t OpenSink() override;

 private:
  uint32_t OpenTemporary(const std::string& target);
  int32_t Refusal(const std::string& name) const;

  const std::string name_;
  const std::string target_;
  const NameEncoding encoding_;
  const TemporaryNames temporaryNames_;
  std::string temporary_;  // the file being written, until it replaces replaced_
  std::string replaced_;
};

}  // namespace toridasu
