#include "app/message_catalogue.h"

namespace hsq {

std::optional<Bilingual> CatalogueMessage(int code) {
    switch (code) {
        case kMessageNoSystemFile:
            return Bilingual{"未发现配置文件:2600info.ini,无法进行初始化",
                             "No configuration file: 2600info.ini, unable to initialize"};
        case kMessageInputCardReadFailed:
            return Bilingual{"未能正确获取当前输入卡的状态，请检查通讯",
                             "Failure to properly obtain the current input board status, check "
                             "the communication"};
        case kMessageConnectFailed:
            return Bilingual{"连接机器失败，请检查线路是否已连接，串口名称是否正确",
                             "Connection fails: please make sure of  right connection of cables "
                             "and correct serial name or IP address."};
        case kMessageNoInputFile:
            return Bilingual{"未发现配置文件:Input.ini,无法进行初始化",
                             "No configuration file: Input.ini, unable to initialize"};
        case kMessageNoOutputFile:
            return Bilingual{"未发现配置文件:Output.ini,无法进行初始化",
                             "No configuration file: Output.ini, unable to initialize"};
        default:
            return std::nullopt;
    }
}

void ShowMessage(DialogHost& host, LanguageFlag language, int code) {
    if (const auto message = CatalogueMessage(code)) {
        host.ShowMessage(kSystemInformation.In(language), message->In(language));
    }
}

}  // namespace hsq
