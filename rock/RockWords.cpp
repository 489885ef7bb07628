#include "rock/RockWords.h"

#include "rock/clsRock.h"

namespace q7 {

const char* RockFluidsText(const clsRock& rock) {
    return rock.Fluids() == 1   ? "Gas/Oil System"
           : rock.Fluids() == 3 ? "Gas/Water System"
                                : "Oil/Water System";
}
const char* RockDisplacementText(const clsRock& rock) {
    return rock.Displace() == 1 ? "Imbibition" : "Drainage";
}
const char* RockLithologyText(const clsRock& rock) {
    return rock.Lith() == 1 ? "Limestone" : "Sandstone";
}
const char* RockWettabilityText(const clsRock& rock) {
    return rock.Wet() == 1 ? "Oil Wet" : "Water Wet";
}
const char* RockCorrelationText(const clsRock& rock) {
    return rock.CORR() == 1 ? "Honarpour" : rock.CORR() == 2 ? "LET" : "Corey";
}

} // namespace q7
