#pragma once

#include "fields.h"
#include "text.h"

#include <string>
#include <vector>

// Fields held in memory. Every write is also logged, so a test can check the order of effects;
// reads are not logged.
class MemoryFields final : public kodvik::Fields {
public:
    struct MessageBox {
        std::u16string text;
        std::u16string title;
        bool timerEnabledWhenShown = false;
        std::u16string characterWhenShown;
    };

    std::u16string code;
    std::u16string character;
    std::u16string note;
    bool timerEnabled = false;
    int interval = 0;
    kodvik::RepeatDirection direction = kodvik::RepeatDirection::None;
    std::vector<MessageBox> messageBoxes;
    std::vector<std::u16string> log;

    [[nodiscard]] std::u16string codeText() const override { return code; }
    void setCodeText(std::u16string_view text) override
    {
        code = text;
        record(u"code", text);
    }
    [[nodiscard]] std::u16string characterText() const override { return character; }
    void setCharacterText(std::u16string_view text) override
    {
        character = text;
        record(u"character", text);
    }
    void setNoteText(std::u16string_view text) override
    {
        note = text;
        record(u"note", text);
    }
    void setRepeatTimerEnabled(bool enabled) override
    {
        timerEnabled = enabled;
        record(u"timer", enabled ? u"on" : u"off");
    }
    void setRepeatInterval(int milliseconds) override
    {
        interval = milliseconds;
        record(u"interval", kodvik::decimal(milliseconds));
    }
    [[nodiscard]] kodvik::RepeatDirection repeatDirection() const override { return direction; }
    void setRepeatDirection(kodvik::RepeatDirection value) override
    {
        direction = value;
        record(u"direction", value == kodvik::RepeatDirection::Up     ? u"up"
                             : value == kodvik::RepeatDirection::Down ? u"down"
                                                                      : u"none");
    }
    void showMessageBox(std::u16string_view text, std::u16string_view title) override
    {
        messageBoxes.push_back(
            {std::u16string(text), std::u16string(title), timerEnabled, character});
        record(u"messagebox", title);
    }

private:
    void record(std::u16string_view what, std::u16string_view value)
    {
        log.push_back(std::u16string(what) + u"=" + std::u16string(value));
    }
};
