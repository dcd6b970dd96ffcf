#include "plugin/output/WriterSettingCalls.h"

namespace Plugin {

WriterSettingCalls& writerSettingCalls() {
    static WriterSettingCalls calls;
    return calls;
}

}  // namespace Plugin
