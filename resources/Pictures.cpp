// Pictures: lookup of the embedded files (see Pictures.h).
#include "resources/Pictures.h"

#include <algorithm>

std::string_view WindowFolder(PictureWindow window)
{
    switch (window) {
    case PictureWindow::Main: return "main";
    case PictureWindow::Timer: return "timer";
    case PictureWindow::Combs: return "combs";
    case PictureWindow::Message: return "message";
    case PictureWindow::Options: return "options";
    case PictureWindow::High: return "high";
    case PictureWindow::About: return "about";
    }
    return {};
}

std::span<const uint8_t> ResourceBytes(std::string_view path)
{
    const auto files = EmbeddedFiles();
    const auto it = std::find_if(files.begin(), files.end(), [&](const EmbeddedFile& f) { return f.Path == path; });
    return it == files.end() ? std::span<const uint8_t>{} : it->Bytes;
}

std::span<const uint8_t> PictureBytes(PictureWindow window, std::string_view name)
{
    std::string path(WindowFolder(window));
    path += '/';
    path += name;
    path += ".bmp";
    return ResourceBytes(path);
}

std::optional<BmpImage> LoadPicture(PictureWindow window, std::string_view name, std::string* error)
{
    const auto bytes = PictureBytes(window, name);
    if (bytes.empty()) {
        if (error) *error = "no picture " + std::string(name) + " for window " + std::string(WindowFolder(window));
        return std::nullopt;
    }
    return DecodeBmp(bytes.data(), bytes.size(), error);
}

std::span<const uint8_t> CursorFistBytes() { return ResourceBytes("FIST.cur"); }

std::span<const uint8_t> ProgramIconBytes() { return ResourceBytes("QuorVex.ico"); }
