#include "form/help_texts.h"

#include "engine/path_rules.h"

namespace quorvane {

std::string GeneralHelpText() {
    return std::string(
               "This software will create a list of folders found within the target "
               "you specify") +
           "\r\r" + "If the target is C:\\ then" + "\r\r" + "C:\\Download" + "\r" +
           "C:\\Program Files" + "\r" + "C:\\Windows" + "\r" + "etc." + "\r\r" +
           "will be returned." + "\r\r" + "Questions? Please contact Team Brindlework at " +
           kContactPage;
}

std::string DepthHelpText(std::string_view everyLevelCaption) {
    return std::string("If depth = 1 then C:\\parent\\child will be returned.") + "\r\n\r\n" +
           "If depth = 2 then C:\\parent\\child\\child will be returned." + "\r\n\r\n" +
           "If depth = 3 then C:\\parent\\child\\child\\child will be returned." + "\r\n\r\n" +
           "If you are unsure, just select the first option: " + "\r\n" +
           std::string(everyLevelCaption);
}

std::string SampleFolderPath(std::string_view programFolder) {
    return std::string(programFolder) + kSeparator + "Samples";
}

}  // namespace quorvane
