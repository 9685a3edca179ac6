// The output folder of the job about to start, shared by file and DVD jobs: read from ed_output,
// prepared on disk, kept in AppState::OutputFolder and shown in ed_output when it was empty.
#pragma once

#include "ui/MainContext.h"

#include <QString>

#include <optional>

// The prepared folder (existing, with a trailing "/"); nullopt and `error` when it cannot be
// created or written, OutputFolder then keeping the text as typed.
std::optional<QString> PrepareJobOutputFolder(MainContext& ctx, QString* error);
