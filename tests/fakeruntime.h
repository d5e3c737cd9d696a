#pragma once

#include "app/runtime.h"
#include "app/runtimeerror.h"
#include "game/form1.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <sstream>
#include <string>
#include <vector>

namespace pomvexa::testing {

// One log of every runtime call, in the order made, as short readable lines
// such as "form.line 10 10 517 10".
using CallLog = std::vector<std::string>;

template <typename... Parts> std::string entry(const std::string& object, Parts... parts) {
    std::ostringstream line;
    line << object;
    ((line << ' ' << parts), ...);
    return line.str();
}

class FakeSurface : public Surface {
public:
    FakeSurface(std::string name, CallLog& log)
        : name(std::move(name))
        , log(log) {}

    Colour foreColor = -1;
    Colour fillColor = -1;

    void cls() override { log.push_back(entry(name, "cls")); }
    void setForeColor(Colour colour) override {
        foreColor = colour;
        log.push_back(entry(name, "foreColor", colour));
    }
    void setFillColor(Colour colour) override {
        fillColor = colour;
        log.push_back(entry(name, "fillColor", colour));
    }
    void setFillStyle(FillStyle style) override {
        log.push_back(entry(name, "fillStyle", static_cast<int>(style)));
    }
    void setDrawWidth(std::int16_t width) override {
        log.push_back(entry(name, "drawWidth", width));
    }
    void line(float x1, float y1, float x2, float y2) override {
        log.push_back(entry(name, "line", x1, y1, x2, y2));
    }
    void circle(float x, float y, float radius) override {
        log.push_back(entry(name, "circle", x, y, radius));
    }
    void arc(float x, float y, float radius, Colour colour, float start, float end) override {
        log.push_back(entry(name, "arc", x, y, radius, colour, start, end));
    }

private:
    std::string name;
    CallLog& log;
};

class FakeWindow : public Window {
public:
    FakeWindow(std::string name, CallLog& log)
        : name(std::move(name))
        , log(log) {}

    std::string caption;
    bool shown = false;

    void setCaption(const std::string& text) override {
        caption = text;
        log.push_back(entry(name, "caption", text));
    }
    void showModeless() override {
        shown = true;
        log.push_back(entry(name, "show"));
    }
    void unload() override {
        shown = false;
        log.push_back(entry(name, "unload"));
    }

private:
    std::string name;
    CallLog& log;
};

class FakeLabel : public Label {
public:
    FakeLabel(std::string name, CallLog& log)
        : name(std::move(name))
        , log(log) {}

    std::string caption;

    void setCaption(const std::string& text) override {
        caption = text;
        log.push_back(entry(name, "caption", text));
    }

private:
    std::string name;
    CallLog& log;
};

class FakeControl : public Control {
public:
    FakeControl(std::string name, CallLog& log)
        : name(std::move(name))
        , log(log) {}

    float left = 24;
    float top = 16;

    void move(float newLeft, float newTop) override {
        left = newLeft;
        top = newTop;
        log.push_back(entry(name, "move", newLeft, newTop));
    }

private:
    std::string name;
    CallLog& log;
};

class FakeMenuItem : public MenuItem {
public:
    FakeMenuItem(std::string name, CallLog& log)
        : name(std::move(name))
        , log(log) {}

    bool checked = false;

    void setChecked(bool value) override {
        checked = value;
        log.push_back(entry(name, "checked", value));
    }

private:
    std::string name;
    CallLog& log;
};

class FakeTimer : public Timer {
public:
    explicit FakeTimer(CallLog& log)
        : log(log) {}

    std::int32_t value = 0;

    void setInterval(std::int32_t milliseconds) override {
        value = milliseconds;
        log.push_back(entry("Timer1", "interval", milliseconds));
    }
    std::int32_t interval() const override { return value; }

private:
    CallLog& log;
};

// Serves the random values a test scripts (0 once they run out) and the files it says exist,
// and records messages, beeps and launches. A launch fails for a path in failingPrograms.
class FakeRuntime : public Runtime {
public:
    explicit FakeRuntime(CallLog& log)
        : log(log) {}

    std::deque<float> randoms;
    std::vector<std::string> messages;
    int beeps = 0;
    ApplicationIdentity identity{"Pomvexa", 1, 0, 0};
    std::vector<std::string> existingFiles;
    std::vector<std::string> failingPrograms;
    std::vector<std::string> launched;

    float nextRandom() override {
        log.push_back("nextRandom");
        if (randoms.empty())
            return 0.0F;
        const float value = randoms.front();
        randoms.pop_front();
        return value;
    }
    void seedRandom() override { log.push_back("seedRandom"); }
    void soundBeep() override {
        ++beeps;
        log.push_back("soundBeep");
    }
    void showMessage(const std::string& text, MessageStyle style) override {
        messages.push_back(text);
        log.push_back(entry("showMessage", text, static_cast<int>(style)));
    }

    ApplicationIdentity application() const override { return identity; }
    std::string findFile(const std::string& path) override {
        log.push_back(entry("findFile", path));
        for (const std::string& file : existingFiles)
            if (file == path)
                return path.substr(path.find_last_of('\\') + 1);
        return {};
    }
    void launchProgram(const std::string& path, WindowStyle style) override {
        log.push_back(entry("launchProgram", path, static_cast<int>(style)));
        const bool fails = path.empty() || std::find(failingPrograms.begin(), failingPrograms.end(),
                                                     path) != failingPrograms.end();
        if (fails)
            throw RuntimeError(RuntimeError::fileNotFound);
        launched.push_back(path);
    }

private:
    CallLog& log;
};

// The game's round logic wired to fakes that all write to one call log.
struct FakeForm1 {
    CallLog log;
    FakeRuntime runtime{log};
    FakeWindow window{"form", log};
    FakeWindow about{"frmAbout", log};
    FakeSurface canvas{"form", log};
    FakeControl picture{"Picture1", log};
    FakeSurface pictureCanvas{"Picture1", log};
    FakeTimer timer{log};
    FakeMenuItem easy{"mnueasy", log};
    FakeMenuItem moderate{"mnumoderate", log};
    FakeMenuItem hard{"mnuhard", log};
    FakeMenuItem impossible{"mnuimpossible", log};
    Form1 form{runtime, Form1Controls{window, canvas, picture, pictureCanvas, timer, easy, moderate,
                                      hard, impossible, about}};

    // The call log from here on.
    CallLog takeLog() {
        CallLog taken;
        taken.swap(log);
        return taken;
    }
};

} // namespace pomvexa::testing
