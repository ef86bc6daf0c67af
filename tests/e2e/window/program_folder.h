// A program installed as a user would install it, in a folder of its own beside a source folder of
// files, in a fresh temporary tree that is removed afterwards.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tassefiche::e2e {

enum class Tools { kReal, kRecorder, kNone };

class ProgramFolder {
 public:
  // The program goes into `app_name` (with blanks, as under "Program Files"), the files into
  // `source_name`.
  explicit ProgramFolder(Tools tools, std::wstring_view app_name = L"Mon Appli",
                         std::wstring_view source_name = L"Dossier source long");
  ~ProgramFolder();
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  const std::filesystem::path& App() const { return app_; }
  const std::filesystem::path& Source() const { return source_; }
  std::filesystem::path Program() const { return app_ / L"Tassefiche.exe"; }

  void Write(std::wstring_view name, std::string_view bytes) const;
  // The line a recorder received, once it has written it (empty when it never did).
  std::wstring RecordedLine(std::wstring_view tool) const;

 private:
  std::filesystem::path root_;
  std::filesystem::path app_;
  std::filesystem::path source_;
};

std::string ReadAll(const std::filesystem::path& file);
// The platform's short form of a path, as the program computes it.
std::wstring ShortForm(const std::filesystem::path& path);
std::wstring Upper(std::wstring text);

}  // namespace tassefiche::e2e
