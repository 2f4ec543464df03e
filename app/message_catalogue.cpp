#include "app/message_catalogue.h"

namespace hsq {
namespace {

// "{file}" and "{text}" stand for the file and the text concerned.
Bilingual ProfileProblemMessage(ProfileProblem problem) {
    switch (problem) {
        case ProfileProblem::NotWritten:
            return {"无法写入配置文件 {file}，设置未能保存。请检查文件夹是否可写、磁盘是否已满。",
                    "Cannot write the configuration file {file}: the settings were not saved. "
                    "Check that the folder can be written and the disk is not full."};
        case ProfileProblem::TextNotStored:
            return {"配置文件 {file} 使用的编码(GBK)无法保存“{text}”，该项保留原来的内容。",
                    "The configuration file {file} is in the GBK code page, which cannot hold "
                    "\"{text}\"; that entry keeps its previous text."};
        case ProfileProblem::Damaged:
            break;
    }
    return {"配置文件 {file} 已损坏(不是文本、缺少应有的段或列表值不全)，读出的设置可能有误。"
            "程序改写它之前，会把原文件另存为 .bad 副本。",
            "The configuration file {file} is damaged (not text, without its sections or with "
            "incomplete lists): the settings read from it may be wrong. A copy of it is kept as "
            "a .bad file before the program rewrites it."};
}

void FillIn(std::string& text, std::string_view placeholder, std::string_view with) {
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + with.size())) {
        text.replace(at, placeholder.size(), with);
    }
}

}  // namespace

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

std::string ProfileProblemText(const ProfileProblemReport& report, LanguageFlag language) {
    std::string text(ProfileProblemMessage(report.problem).In(language));
    FillIn(text, "{file}", report.file.string());
    FillIn(text, "{text}", report.text);
    return text;
}

}  // namespace hsq
