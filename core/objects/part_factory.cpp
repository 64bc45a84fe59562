#include "core/objects/part_factory.h"

#include "core/objects/sim_control.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_link.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sim_text.h"
#include "core/objects/sub_cir_part.h"
#include "core/objects/wire.h"

namespace kestro {

std::unique_ptr<CPart> CreatePart(uint16_t tag, const CPartEnvironment& environment) {
    switch (tag) {
        case CPart::kTagSimPart:
            return std::make_unique<CSimPart>(environment);
        case CPart::kTagWire:
            return std::make_unique<CWire>(environment);
        case CPart::kTagSubCircuit:
            return std::make_unique<CSubCirPart>(environment);
        case CPart::kTagPort:
            return std::make_unique<CSimTerm>(environment);
        case CPart::kTagText:
            return std::make_unique<CSimText>(environment);
        case CPart::kTagSimControl:
            return std::make_unique<CSimControl>(environment);
        case CPart::kTagLink:
            return std::make_unique<CSimLink>(environment);
        case CPart::kTagLabel:
            return std::make_unique<CSimLabel>(environment);
        default:
            return nullptr;
    }
}

}  // namespace kestro
