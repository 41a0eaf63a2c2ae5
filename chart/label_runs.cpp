#include "chart/label_runs.h"

#include <algorithm>

namespace voltarix::chart {

void LabelRuns::appendSlow(const PointLabel& label) {
    if (!extendsLastRun(label)) {
        if (label.isNumber()) {
            runs_.push_back({size_, label.numberValue(), -1});
        } else {
            runs_.push_back({size_, 0, static_cast<std::int32_t>(texts_.size())});
            texts_.push_back(label.textValue().toString());
            textBytes_ += textBytes(texts_.back());
        }
    }
    ++size_;
    counting_ = label.isNumber();
    nextNumber_ = label.numberValue() + 1;
}

bool LabelRuns::extendsLastRun(const PointLabel& label) const {
    if (runs_.empty())
        return false;
    const Run& last = runs_.back();
    if (label.isNumber())
        return last.text < 0 && label.numberValue() == last.number + (size_ - last.first);
    return last.text >= 0 && texts_[static_cast<std::size_t>(last.text)] == label.textValue();
}

const LabelRuns::Run& LabelRuns::runOf(std::int64_t index) const {
    auto after = std::upper_bound(runs_.begin(), runs_.end(), index,
                                  [](std::int64_t i, const Run& run) { return i < run.first; });
    return *(after - 1);
}

QString LabelRuns::at(std::int64_t index) const {
    if (index < 0 || index >= size_)
        return {};
    const Run& run = runOf(index);
    if (run.text >= 0)
        return texts_[static_cast<std::size_t>(run.text)];
    return QString::number(run.number + (index - run.first));
}

// A text's characters and the header of its shared block.
std::size_t LabelRuns::textBytes(const QString& text) {
    return static_cast<std::size_t>(text.capacity()) * sizeof(QChar) + 16;
}

std::size_t LabelRuns::memoryBytes() const {
    return sizeof(*this) + runs_.capacity() * sizeof(Run) + texts_.capacity() * sizeof(QString) +
           textBytes_;
}

} // namespace voltarix::chart
