#include "engine/conversion_failure.h"

#include "base/errors.h"

namespace toridasu {

ConversionFailure FailureOf(const Exception& error, uint64_t line, const IoEnd* input,
                            const IoEnd* output) {
  ConversionFailure failure;
  failure.line = line;
  if (const auto* io = dynamic_cast<const EInOutError*>(&error)) {
    failure.ioCode = io->Code();
    if (input && input->Fault()) {
      failure.kind = FailureKind::kInput;
      failure.operation = input->Fault()->operation;
    } else if (output && output->Fault()) {
      failure.kind = FailureKind::kOutput;
      failure.operation = output->Fault()->operation;
    } else {
      failure.kind = input ? FailureKind::kOutput : FailureKind::kInput;
      failure.operation = input ? FileOperation::kCreate : FileOperation::kOpen;
    }
    return failure;
  }
  if (dynamic_cast<const ERangeError*>(&error)) {
    failure.kind = FailureKind::kUnfinishedCharacter;
  } else if (dynamic_cast<const EOutOfMemory*>(&error)) {
    failure.kind = FailureKind::kOutOfMemory;
  } else {
    failure.kind = FailureKind::kOther;
    failure.detail = error.KindName();
  }
  return failure;
}

ConversionFailure OutOfMemoryFailure(uint64_t line) {
  ConversionFailure failure;
  failure.kind = FailureKind::kOutOfMemory;
  failure.line = line;
  return failure;
}

}  // namespace toridasu
