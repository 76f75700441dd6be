#pragma once

#include "link/Bytes.h"

#include <functional>

namespace kelvara {
class BasicInfoViewModel;
}

// Every fuzzer links FuzzEnvironment.cpp, whose LLVMFuzzerInitialize makes, once per
// process, the application object and an environment whose diagnostic lines go nowhere
// and whose update server answers every request with 404 from a background thread, as
// the real client does.
namespace kelvara::fuzz {

// Runs the main thread's events until done() holds; aborts after a few seconds, so that
// something that never completes is reported as a finding.
void runUntil(const std::function<bool()>& done);

// Hands the record to the model as a connection does and waits for the firmware check
// that a decoded record starts.
void parseRecord(BasicInfoViewModel& model, Bytes record);

} // namespace kelvara::fuzz
