#pragma once

namespace voltarix::diagram17 {

// Where a synchronous start of the 17-bit diagram comes from: the radio group
// "Запуск графика " on the tab "Управ. 17".
enum class SynchronousSource {
    Input,   // RadioButton16: a change of the status register's display
    Control, // RadioButton17: a change of the control register's display
    Output,  // RadioButton18: a change of the data register's display while data drives
    Command, // RadioButton19: never automatically
};

// What the register diagram needs of the 17-bit diagram's run control: which
// source is selected, and the request that marks the start button confirmed and
// starts a run when none is in progress.
class SynchronousStart {
public:
    virtual ~SynchronousStart() = default;
    virtual SynchronousSource selectedSource() const = 0;
    virtual void requestSynchronousStart() = 0;
};

} // namespace voltarix::diagram17
