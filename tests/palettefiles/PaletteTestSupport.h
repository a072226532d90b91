#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>

#include "palettefiles/PaletteFile.h"

namespace fs = std::filesystem;

using Entries = std::array<PaletteEntry, 256>;

inline bool operator==(const PaletteEntry& a, const PaletteEntry& b) {
    return a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue && a.Flags == b.Flags;
}

inline bool operator!=(const PaletteEntry& a, const PaletteEntry& b) { return !(a == b); }

inline void PrintTo(const PaletteEntry& e, std::ostream* os) {
    *os << "(" << int(e.Red) << ", " << int(e.Green) << ", " << int(e.Blue) << " / " << int(e.Flags) << ")";
}

inline PaletteEntry Rgb(int r, int g, int b) {
    return PaletteEntry{std::uint8_t(r), std::uint8_t(g), std::uint8_t(b), 0};
}

// What the caller's table holds before a read: every read must replace or keep all of it.
inline constexpr PaletteEntry kStale{0xAB, 0xCD, 0xEF, 0x12};

struct ReadOutcome {
    FileResult result;
    Entries entries;
};

inline ReadOutcome Read(const fs::path& file) {
    PaletteEntry entries[256];
    std::fill(std::begin(entries), std::end(entries), kStale);
    ReadOutcome outcome{ReadPaletteFile(file.string(), entries), {}};
    std::copy(std::begin(entries), std::end(entries), outcome.entries.begin());
    return outcome;
}

inline std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string name = (fs::temp_directory_path() / "palettefiles-XXXXXX").string();
        if (!mkdtemp(name.data())) throw std::runtime_error("cannot create a temporary folder");
        path_ = name;
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const fs::path& Path() const { return path_; }

    fs::path Write(const std::string& name, const std::string& bytes) const {
        const fs::path file = path_ / name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

    // Every file and folder below this one, with the size of each file.
    std::set<std::string> Listing() const {
        std::set<std::string> names;
        for (const auto& item : fs::recursive_directory_iterator(path_)) {
            std::string name = fs::relative(item.path(), path_).string();
            if (item.is_regular_file()) name += " " + std::to_string(item.file_size());
            names.insert(name);
        }
        return names;
    }

private:
    fs::path path_;
};
