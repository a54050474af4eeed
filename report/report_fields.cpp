#include "report/report_fields.h"

const char* presence_change_key(Detector_change::Presence presence)
{
    switch (presence) {
    case Detector_change::Presence::appeared:
        return "appeared";
    case Detector_change::Presence::disappeared:
        return "disappeared";
    case Detector_change::Presence::both:
    case Detector_change::Presence::neither:
        break;
    }
    return "";
}

std::string forecast_key(const Detector_change& change)
{
    switch (change.forecast) {
    case Detector_change::Forecast::already_due:
        return report_field::already_due;
    case Detector_change::Forecast::on_date:
        return local_date_text(change.due);
    // The files keep their three kinds of value; the reason for no date is
    // for people.
    case Detector_change::Forecast::too_short:
    case Detector_change::Forecast::none:
        break;
    }
    return "";
}
