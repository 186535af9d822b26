#pragma once
// Strings of the document kinds and their folders.

constexpr unsigned IDS_CHANGE_DEFAULT_DIR = 145;
