// File helpers and screen capture.
#include "harness.h"

#include <vector>

namespace harness {

bool FileExists(const std::string &path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CopyFileTo(const std::string &from, const std::string &to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

void DeleteFileIfAny(const std::string &path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

bool ReadFileBytes(const std::string &path, std::string *bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes->clear();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, NULL) && got > 0) bytes->append(buffer, got);
    CloseHandle(file);
    return true;
}

std::string ReadTextFile(const std::string &path) {
    std::string text;
    ReadFileBytes(path, &text);
    return text;
}

bool WriteTextFile(const std::string &path, const std::string &text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, NULL);
    CloseHandle(file);
    return ok && written == text.size();
}

COLORREF PixelAt(int x, int y) {
    HDC screen = GetDC(NULL);
    COLORREF color = GetPixel(screen, x, y);
    ReleaseDC(NULL, screen);
    return color;
}

namespace {

// A bottom-up DIB header of width x height pixels, bits (24 or 32) each.
BITMAPINFOHEADER ScreenBitmapHeader(int width, int height, WORD bits) {
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bits;
    header.biCompression = BI_RGB;
    header.biSizeImage = ((header.biWidth * bits / 8 + 3) & ~3) * header.biHeight;
    return header;
}

// The pixels of the screen's rectangle the header describes, from (left, top).
bool CaptureScreen(const BITMAPINFOHEADER &header, int left, int top, std::string *pixels) {
    BITMAPINFO info = {};
    info.bmiHeader = header;
    void *bits = nullptr;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    bool ok = bitmap != NULL;
    if (ok) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, header.biWidth, header.biHeight, screen, left, top, SRCCOPY) != FALSE;
        SelectObject(memory, old);
        GdiFlush();
        if (ok) pixels->assign(static_cast<const char *>(bits), header.biSizeImage);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return ok;
}

}  // namespace

bool ColourNear(int x, int y, int radius, COLORREF colour) {
    BITMAPINFOHEADER header = ScreenBitmapHeader(2 * radius + 1, 2 * radius + 1, 32);
    std::string pixels;
    if (!CaptureScreen(header, x - radius, y - radius, &pixels)) return false;
    for (size_t i = 0; i + 3 < pixels.size(); i += 4) {
        const unsigned char *p = reinterpret_cast<const unsigned char *>(&pixels[i]);
        if (RGB(p[2], p[1], p[0]) == colour) return true;
    }
    return false;
}

bool SaveScreenshot(const std::string &path) {
    BITMAPINFOHEADER header = ScreenBitmapHeader(GetSystemMetrics(SM_CXSCREEN),
                                                 GetSystemMetrics(SM_CYSCREEN), 24);
    std::string pixels;
    if (!CaptureScreen(header, 0, 0, &pixels)) return false;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::string bytes(reinterpret_cast<const char *>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char *>(&header), sizeof(header));
    return WriteTextFile(path, bytes + pixels);
}

std::string VersionString(const std::string &file, const char *name) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
    if (!size) return "";
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(file.c_str(), 0, size, block.data())) return "";
    char *value = nullptr;
    UINT length = 0;
    std::string path = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void **>(&value), &length))
        return "";
    return std::string(value, length && value[length - 1] == '\0' ? length - 1 : length);
}

}  // namespace harness
