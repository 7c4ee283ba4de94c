#include "FitStatus.hpp"

std::string FitStatusMessage(const FitCount& count, FitSubject subject) {
    if (count.fitted == count.total && count.held == 0) {
        return "";
    }
    const std::string what = subject == FitSubject::MeshNodes ? " nodes" : " points";
    std::string message =
        "fitted " + std::to_string(count.fitted) + " of " + std::to_string(count.total) + what;
    if (count.fitted == 0) {
        return message + ": no match to trust, nothing moved";
    }
    if (count.held > 0) {
        message += ", " + std::to_string(count.held) + " held back to keep the mesh from folding";
    }
    return message;
}
