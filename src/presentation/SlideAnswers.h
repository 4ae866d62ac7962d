#pragma once

#include <QString>

#include <optional>
#include <vector>

// The answers of a question slide (its second paragraph), without any widget.

constexpr float kNoScore = -99999.0f;

struct SlideAnswer
{
    QString caption;  // shown on the radio button
    QString reaction; // message shown when chosen (at most 255 characters); "/" = meaning lookup
    int jump = -1;    // slide number to go to, -1 = none
    float score = kNoScore;
    bool correct = false; // the caption began with "*"
    // 5 scored, 1 correct, 4 correct with a jump, 2 with a reaction, 3 with a jump, 0 wrong.
    int tag = 0;
};

struct SlideAnswers
{
    bool radio = false; // several answers shown as radio buttons
    // Radio answers, in the order written, duplicates and empty ones dropped.
    std::vector<SlideAnswer> answers;
    // A single answer, typed or recalled: its text (with its "&" hints) and score.
    QString singleAnswer;
    float singleScore = 1.0f;
};

SlideAnswers ParseSlideAnswers(const QString &field);

// A decimal number as written in a list: "2", "-0.5" or "1,5". std::nullopt when unreadable.
std::optional<float> ParseDecimalNumber(const QString &text);
