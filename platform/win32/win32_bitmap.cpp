// File mapping with the kernel's file-mapping objects, and the DIB conversion by GDI itself:
// SetDIBits into a 24-bit DIB section.
#include "platform/win32/win32_platform.h"

#include <cstring>
#include <vector>

namespace {

struct FileMapping {
    HANDLE file = INVALID_HANDLE_VALUE;
    HANDLE mapping = nullptr;
};

uint64_t RowBytes(LONG width, WORD bitCount) { return (uint64_t(width) * bitCount + 31) / 32 * 4; }

size_t Rows(LONG height) { return height < 0 ? size_t(-int64_t(height)) : size_t(height); }

// GDI's RLE decoder stops at the description's image size; a copy of the description whose
// image size does not pass the end of the data keeps it there. The copy carries exactly the
// colour entries GDI reads.
std::vector<uint8_t> BoundRunLengthSource(const BITMAPINFOHEADER& header, const uint8_t* info,
                                          size_t bitsSize)
{
    const DWORD tableSize = header.biBitCount <= 8 ? DWORD(1) << header.biBitCount : 0;
    const DWORD colors =
        header.biClrUsed && header.biClrUsed < tableSize ? header.biClrUsed : tableSize;
    std::vector<uint8_t> copy(sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD) * colors);
    std::memcpy(copy.data(), info, sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD) * colors);
    BITMAPINFOHEADER bounded = header;
    bounded.biClrUsed = colors;
    if (bounded.biSizeImage > bitsSize) bounded.biSizeImage = DWORD(bitsSize);
    std::memcpy(copy.data(), &bounded, sizeof bounded);
    return copy;
}

// Maps the whole of an open file; the file handle then belongs to the mapping.
MapFileResult MapOpenFile(HANDLE opened, MappedFile* file)
{
    // NOTE: CON and the other device names open as character devices, and pipes as pipes;
    // nothing is read from them, so a console never waits for keys.
    if (GetFileType(opened) != FILE_TYPE_DISK) return MapFileResult::NotRegularFile;
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(opened, &size)) return MapFileResult::CannotOpen;
    // NOTE: CreateFileMappingA fails on an empty file (ERROR_FILE_INVALID).
    if (size.QuadPart == 0) return MapFileResult::Empty;
    const HANDLE mapping = CreateFileMappingA(opened, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!mapping) return MapFileResult::CannotOpen;
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (!view) {
        CloseHandle(mapping);
        return MapFileResult::CannotOpen;
    }
    file->data = static_cast<const uint8_t*>(view);
    file->size = size_t(size.QuadPart);
    file->backend = new FileMapping{opened, mapping};
    return MapFileResult::Mapped;
}

}  // namespace

MapFileResult PlatformMapFile(const char* fileName, MappedFile* file)
{
    const HANDLE opened =
        CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        // NOTE: CreateFileA refuses a folder (ERROR_ACCESS_DENIED); only the message asks why.
        const DWORD attributes = GetFileAttributesA(fileName);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)
                   ? MapFileResult::NotRegularFile
                   : MapFileResult::CannotOpen;
    }
    const MapFileResult result = MapOpenFile(opened, file);
    if (result != MapFileResult::Mapped) CloseHandle(opened);
    return result;
}

void PlatformUnmapFile(MappedFile* file)
{
    FileMapping* handles = static_cast<FileMapping*>(file->backend);
    if (handles) {
        UnmapViewOfFile(file->data);
        CloseHandle(handles->mapping);
        CloseHandle(handles->file);
        delete handles;
    }
    *file = MappedFile();
}

DibConversion PlatformConvertDibTo24(const uint8_t* sourceInfo, const uint8_t* bits,
                                     size_t bitsSize, uint8_t* target)
{
    BITMAPINFOHEADER source;
    std::memcpy(&source, sourceInfo, sizeof source);
    const size_t rows = Rows(source.biHeight);

    // GDI reads pixel rows without knowing where the data ends: bound the reads first.
    std::vector<uint8_t> runLengthInfo;
    if (source.biCompression == BI_RLE8 || source.biCompression == BI_RLE4) {
        runLengthInfo = BoundRunLengthSource(source, sourceInfo, bitsSize);
        sourceInfo = runLengthInfo.data();
    } else if (source.biWidth > 0 && source.biBitCount > 0 &&
               rows > bitsSize / RowBytes(source.biWidth, source.biBitCount)) {
        return DibConversion::ConversionError;
    }

    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO* targetInfo = static_cast<BITMAPINFO*>(LocalAlloc(LMEM_ZEROINIT, 44));
    HBITMAP section = nullptr;
    void* sectionBits = nullptr;
    if (targetInfo) {
        targetInfo->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        targetInfo->bmiHeader.biWidth = source.biWidth;
        targetInfo->bmiHeader.biHeight = source.biHeight;
        targetInfo->bmiHeader.biPlanes = 1;
        targetInfo->bmiHeader.biBitCount = 24;
        targetInfo->bmiHeader.biCompression = BI_RGB;
        targetInfo->bmiHeader.biSizeImage = DWORD(rows * size_t(source.biWidth) * 3);
    }
    if (dc && targetInfo)
        section = CreateDIBSection(dc, targetInfo, DIB_RGB_COLORS, &sectionBits, nullptr, 0);

    DibConversion result = DibConversion::OutOfMemory;
    if (section && SelectObject(dc, section)) {
        // NOTE: the line count is the number of rows, even for a top-down source; its negative
        // height as an unsigned count makes GDI place the rows outside the section.
        const auto* info = reinterpret_cast<const BITMAPINFO*>(sourceInfo);
        if (SetDIBits(dc, section, 0, UINT(rows), bits, info, DIB_RGB_COLORS) == 0) {
            result = DibConversion::ConversionError;
        } else {
            GdiFlush();
            std::memcpy(target, sectionBits, size_t(RowBytes(source.biWidth, 24)) * rows);
            result = DibConversion::Converted;
        }
    }

    if (dc) DeleteDC(dc);
    if (section) DeleteObject(section);
    if (targetInfo) LocalFree(targetInfo);
    return result;
}
