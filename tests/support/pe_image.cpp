#include "support/pe_image.h"

#include <cstring>

namespace morvel::test {

namespace {

struct Section {
    std::uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    bool U16(std::size_t at, std::uint16_t& out) const { return Copy(at, &out, 2); }
    bool U32(std::size_t at, std::uint32_t& out) const { return Copy(at, &out, 4); }
    bool CString(std::size_t at, std::string& out) const {
        if (at >= bytes_.size()) return false;
        const std::size_t end = bytes_.find('\0', at);
        if (end == std::string_view::npos || end - at > 4096) return false;
        out.assign(bytes_.substr(at, end - at));
        return true;
    }

private:
    bool Copy(std::size_t at, void* out, std::size_t n) const {
        if (at > bytes_.size() || bytes_.size() - at < n) return false;
        std::memcpy(out, bytes_.data() + at, n);  // the format is little-endian, as are our hosts
        return true;
    }
    std::string_view bytes_;
};

std::optional<std::size_t> RvaToOffset(const std::vector<Section>& sections, std::uint32_t rva) {
    for (const Section& s : sections) {
        const std::uint32_t span = s.virtualSize ? s.virtualSize : s.rawSize;
        if (rva >= s.virtualAddress && rva - s.virtualAddress < span && rva - s.virtualAddress < s.rawSize) {
            return static_cast<std::size_t>(s.rawOffset) + (rva - s.virtualAddress);
        }
    }
    return std::nullopt;
}

bool Fail(std::string* error, const char* why) {
    if (error) *error = why;
    return false;
}

}  // namespace

std::optional<PeImage> ReadPeImage(std::string_view bytes, std::string* error) {
    const Reader r(bytes);
    PeImage image;
    std::uint16_t mz = 0;
    std::uint32_t peAt = 0, signature = 0;
    if (!r.U16(0, mz) || mz != 0x5A4D || !r.U32(0x3C, peAt) || !r.U32(peAt, signature) || signature != 0x4550) {
        Fail(error, "not a PE file");
        return std::nullopt;
    }
    std::uint16_t sectionCount = 0, optionalSize = 0, characteristics = 0, magic = 0;
    const std::size_t coff = peAt + 4;
    if (!r.U16(coff, image.machine) || !r.U16(coff + 2, sectionCount) || !r.U16(coff + 16, optionalSize) ||
        !r.U16(coff + 18, characteristics)) {
        Fail(error, "truncated COFF header");
        return std::nullopt;
    }
    image.isDll = (characteristics & 0x2000) != 0;
    const std::size_t opt = coff + 20;
    if (!r.U16(opt, magic)) {
        Fail(error, "truncated optional header");
        return std::nullopt;
    }
    image.is32Bit = magic == 0x10B;
    if (!image.is32Bit) {
        Fail(error, "not PE32");
        return std::nullopt;
    }
    const std::size_t dirs = opt + 96;  // data directories of a PE32 optional header
    auto directory = [&](int index, std::uint32_t& rva, std::uint32_t& size) {
        return r.U32(dirs + 8 * index, rva) && r.U32(dirs + 8 * index + 4, size);
    };
    std::vector<Section> sections;
    const std::size_t table = opt + optionalSize;
    for (std::uint16_t i = 0; i < sectionCount; ++i) {
        Section s{};
        const std::size_t at = table + 40u * i;
        if (!r.U32(at + 8, s.virtualSize) || !r.U32(at + 12, s.virtualAddress) || !r.U32(at + 16, s.rawSize) ||
            !r.U32(at + 20, s.rawOffset)) {
            Fail(error, "truncated section table");
            return std::nullopt;
        }
        sections.push_back(s);
    }

    std::uint32_t rva = 0, size = 0;
    if (directory(1, rva, size) && rva != 0) {
        auto at = RvaToOffset(sections, rva);
        for (int n = 0; at && n < 256; ++n, *at += 20) {
            std::uint32_t lookup = 0, nameRva = 0, thunks = 0;
            if (!r.U32(*at, lookup) || !r.U32(*at + 12, nameRva) || !r.U32(*at + 16, thunks)) break;
            if (nameRva == 0) break;
            PeImport entry;
            auto nameAt = RvaToOffset(sections, nameRva);
            if (!nameAt || !r.CString(*nameAt, entry.dll)) break;
            auto thunkAt = RvaToOffset(sections, lookup ? lookup : thunks);
            for (int k = 0; thunkAt && k < 65536; ++k, *thunkAt += 4) {
                std::uint32_t value = 0;
                if (!r.U32(*thunkAt, value) || value == 0) break;
                if (value & 0x80000000u) {
                    entry.functions.push_back("#" + std::to_string(value & 0xFFFF));
                    continue;
                }
                auto hintAt = RvaToOffset(sections, value);
                std::string function;
                if (!hintAt || !r.CString(*hintAt + 2, function)) break;
                entry.functions.push_back(function);
            }
            image.imports.push_back(std::move(entry));
        }
    }

    if (directory(0, rva, size) && rva != 0) {
        if (auto at = RvaToOffset(sections, rva)) {
            std::uint32_t count = 0, namesRva = 0;
            if (r.U32(*at + 24, count) && r.U32(*at + 32, namesRva)) {
                auto namesAt = RvaToOffset(sections, namesRva);
                for (std::uint32_t i = 0; namesAt && i < count && i < 65536; ++i) {
                    std::uint32_t nameRva = 0;
                    std::string name;
                    if (!r.U32(*namesAt + 4 * i, nameRva)) break;
                    auto nameAt = RvaToOffset(sections, nameRva);
                    if (!nameAt || !r.CString(*nameAt, name)) break;
                    image.exports.push_back(name);
                }
            }
        }
    }

    if (directory(2, rva, size) && rva != 0) {
        if (auto at = RvaToOffset(sections, rva)) {
            std::uint16_t named = 0, numbered = 0;
            if (r.U16(*at + 12, named) && r.U16(*at + 14, numbered)) {
                for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(named) + numbered && i < 4096; ++i) {
                    std::uint32_t id = 0;
                    if (!r.U32(*at + 16 + 8 * i, id)) break;
                    if ((id & 0x80000000u) == 0) image.resourceTypes.push_back(id);
                }
            }
        }
    }
    return image;
}

}  // namespace morvel::test
