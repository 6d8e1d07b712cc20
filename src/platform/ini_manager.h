// The settings file: a few values kept between runs by section and entry, in
// an INI file in the program's working directory ("tallo2.INI"). Today it
// keeps the print preview's place and size.
//
// The file is read afresh for every value asked for and written at once for
// every value stored, so two windows (or two stations sharing the folder)
// never work on a stale copy. A missing, unreadable or garbled file reads as
// empty; a file that cannot be written is left as it is and nothing is
// reported. The manager knows windows only through `PlacedWindow`, so that
// this layer needs no widgets: the window framework adapts its windows to it.
//
// Used from the GUI thread only.
#pragma once

#include <string>
#include <string_view>

namespace bb {

// A window's place and size on its parent (the screen, or the frame's
// client area for a child window), in pixels.
struct WindowRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// What the settings file needs to know of, and do to, a window.
class PlacedWindow {
public:
    virtual ~PlacedWindow() = default;
    virtual bool minimized() const = 0;
    virtual bool maximized() const = 0;
    // The window's place and size while it is neither maximised nor minimised.
    virtual WindowRect rect() const = 0;
    virtual void setRect(const WindowRect& rect) = 0;
    virtual void setMaximized(bool maximized) = 0;
};

class IniManager {
public:
    // Binds the manager to `fileName`, relative to the working directory
    // at the time each value is read or written.
    void Setup(std::string_view fileName) { fileName_ = std::string(fileName); }
    const std::string& FileName() const { return fileName_; }

    // The entry's value, or an empty text when there is none.
    std::string Fetch(std::string_view section, std::string_view entry) const;
    // The entry's value, or "---Unknown---" when there is none.
    std::string FetchQuietly(std::string_view section, std::string_view entry) const;
    void Update(std::string_view section, std::string_view entry, std::string_view value);

    // Puts `window` where the section says: "Maximize" ("Yes" or "No"), and
    // "XPos", "YPos", "Width" and "Height". Without a valid "Maximize" the
    // window stays as designed; a place whose numbers are not all whole
    // numbers, or whose size is not positive, is not used.
    void LoadWindowPlacement(std::string_view section, PlacedWindow& window) const;
    // Writes "Maximize", and, unless the window is maximised, its place and
    // size. A minimised window writes nothing.
    void SaveWindowPlacement(std::string_view section, const PlacedWindow& window);

    static constexpr std::string_view kUnknown = "---Unknown---";

private:
    std::string fileName_;
};

// The program's settings file.
IniManager& settingsFile();

}  // namespace bb
