#pragma once
// Ids of the log's strings.

constexpr unsigned IDS_INTERNAL_ERROR = 248;
constexpr unsigned IDS_CONTINUE_DISPLAYING = 249;
