// Seeing into the platform layer from tests: the trace channel's lines and
// "DIB" resources registered for a test.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/Resources.h"

// While one exists, the trace channel is on and its lines (all of stderr)
// go to this capture instead; the newest capture wins when they nest.
class CTraceCapture {
public:
    CTraceCapture();
    ~CTraceCapture();
    CTraceCapture(const CTraceCapture&) = delete;
    CTraceCapture& operator=(const CTraceCapture&) = delete;

    std::vector<std::string> Lines() const;
    bool Contains(std::string_view line) const;

private:
    std::FILE* m_file;
    int m_nSavedStderr;
    std::optional<std::string> m_savedSetting;
};

// "DIB" resources for as long as the object lives.
class CDibResources {
public:
    CDibResources() = default;
    ~CDibResources() { CDibResourceTable::Entries().clear(); }
    CDibResources(const CDibResources&) = delete;
    CDibResources& operator=(const CDibResources&) = delete;

    void Add(UINT id, std::vector<BYTE> bytes) {
        CDibResourceTable::Entries()[static_cast<WORD>(id & 0xFFFFu)] = std::move(bytes);
    }
};
