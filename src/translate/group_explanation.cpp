#include "translate/group_explanation.h"

namespace kolde_sub {

// TODO(explanation): the rules are being written.
std::optional<QString> explain_group(const QString&, const QString&, int, int,
                                     const ExplanationSources&) {
    return std::nullopt;
}

}  // namespace kolde_sub
