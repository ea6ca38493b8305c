#include "devicelib/accepted_devices.h"

namespace stowkeep::hatchlink {

const AcceptedDeviceId AcceptedDeviceIds[5] = {
    {0x04C5, 0x2028, u"USB\\VID_04C5&PID_2028"},
    {0x04C5, 0x2029, u"USB\\VID_04C5&PID_2029"},
    {0x04C5, 0x202A, u"USB\\VID_04C5&PID_202A"},
    {0x04C5, 0x202B, u"USB\\VID_04C5&PID_202B"},
    {0, 0, u""},
};

} // namespace stowkeep::hatchlink
