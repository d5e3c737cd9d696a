#pragma once

#include "game/form1.h"
#include "runtime/runtime.h"
#include "runtime/runtimeerror.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <sstream>
#include <string>
#include <vector>

namespace pomvexa::testing {

// One log of every runtime call, in the order made, as short readable lines
// such as "form line 10 10 517 10".
using CallLog = std::vector<std::string>;

// A named object that writes each call made on it to the shared log; the runtime's services
// have no name of their own.
class Recorder {
public:
    Recorder(std::string name, CallLog& log)
        : name(std::move(name))
        , log(log) {}

protected:
    template <typename... Parts> void record(const Parts&... parts) {
        std::ostringstream line;
        line << name;
        ((line << (line.tellp() > 0 ? " " : "") << parts), ...);
        log.push_back(line.str());
    }

private:
    std::string name;
    CallLog& log;
};

class FakeSurface : public Surface, Recorder {
public:
    using Recorder::Recorder;

    Colour foreColor = -1;
    Colour fillColor = -1;

    void cls() override { record("cls"); }
    void setForeColor(Colour colour) override { record("foreColor", foreColor = colour); }
    void setFillColor(Colour colour) override { record("fillColor", fillColor = colour); }
    void setFillStyle(FillStyle style) override { record("fillStyle", static_cast<int>(style)); }
    void setDrawWidth(std::int16_t width) override { record("drawWidth", width); }
    void line(float x1, float y1, float x2, float y2) override { record("line", x1, y1, x2, y2); }
    void circle(float x, float y, float radius) override { record("circle", x, y, radius); }
    void arc(float x, float y, float radius, Colour colour, float start, float end) override {
        record("arc", x, y, radius, colour, start, end);
    }
};

class FakeWindow : public Window, Recorder {
public:
    using Recorder::Recorder;

    std::string caption;

    void setCaption(const std::string& text) override { record("caption", caption = text); }
    void showModeless() override { record("show"); }
    void unload() override { record("unload"); }
};

class FakeLabel : public Label, Recorder {
public:
    using Recorder::Recorder;

    std::string caption;

    void setCaption(const std::string& text) override { record("caption", caption = text); }
};

class FakeControl : public Control, Recorder {
public:
    using Recorder::Recorder;

    float left = 24;
    float top = 16;

    void move(float newLeft, float newTop) override {
        record("move", left = newLeft, top = newTop);
    }
};

class FakeMenuItem : public MenuItem, Recorder {
public:
    using Recorder::Recorder;

    bool checked = false;

    void setChecked(bool value) override { record("checked", checked = value); }
};

class FakeTimer : public Timer, Recorder {
public:
    explicit FakeTimer(CallLog& log)
        : Recorder("Timer1", log) {}

    std::int32_t value = 0;

    void setInterval(std::int32_t milliseconds) override {
        record("interval", value = milliseconds);
    }
    std::int32_t interval() const override { return value; }
};

// Serves the random values a test scripts (0 once they run out) and the files it says exist,
// and records messages, beeps and launches. A launch fails for a path in failingPrograms.
class FakeRuntime : public Runtime, Recorder {
public:
    explicit FakeRuntime(CallLog& log)
        : Recorder("", log) {}

    std::deque<float> randoms;
    std::vector<std::string> messages;
    int beeps = 0;
    ApplicationIdentity identity{"Pomvexa", 1, 0, 0};
    std::vector<std::string> existingFiles;
    std::vector<std::string> failingPrograms;
    std::vector<std::string> launched;

    float nextRandom() override {
        record("nextRandom");
        if (randoms.empty())
            return 0.0F;
        const float value = randoms.front();
        randoms.pop_front();
        return value;
    }
    void seedRandom() override { record("seedRandom"); }
    void soundBeep() override {
        ++beeps;
        record("soundBeep");
    }
    void showMessage(const std::string& text, MessageStyle style) override {
        messages.push_back(text);
        record("showMessage", text, static_cast<int>(style));
    }

    ApplicationIdentity application() const override { return identity; }
    std::string findFile(const std::string& path) override {
        record("findFile", path);
        for (const std::string& file : existingFiles)
            if (file == path)
                return path.substr(path.find_last_of('\\') + 1);
        return {};
    }
    void launchProgram(const std::string& path, WindowStyle style) override {
        record("launchProgram", path, static_cast<int>(style));
        const bool fails = path.empty() || std::find(failingPrograms.begin(), failingPrograms.end(),
                                                     path) != failingPrograms.end();
        if (fails)
            throw RuntimeError(RuntimeError::fileNotFound);
        launched.push_back(path);
    }
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
