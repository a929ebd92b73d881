#pragma once
// The progress bar of a long pass over many rows is moved only every few rows, with a
// step that grows with the size of the table, so a large file does not spend its time
// repainting the bar.

#include "core/app/feedback.h"

namespace tw {

inline int ProgressStepFor(int count) {
    if (count > 2000)
        return 4;
    if (count > 1000)
        return 3;
    if (count > 500)
        return 2;
    return 1;
}

class ProgressThrottle {
  public:
    ProgressThrottle(Feedback& feedback, int count, int position = 0)
        : Target(feedback), Step(ProgressStepFor(count)), Position(position) {}
    // Called with the row about to be worked on.
    void Advance(int cursor) {
        if (Position + 4 * Step < cursor) {
            Position = cursor;
            Target.SetProgress(Position);
        }
    }

  private:
    Feedback& Target;
    int Step;
    int Position;
};

} // namespace tw
