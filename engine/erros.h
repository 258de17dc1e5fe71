#pragma once
// Errors the engine raises. Every message is Portuguese, names the file and says what is wrong;
// callers show what() as it stands.

#include <stdexcept>
#include <string>

namespace velmo {

class ErroVelmo : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The file cannot be opened or read (missing, no permission, a folder, an I/O error).
class ErroArquivo : public ErroVelmo {
 public:
  using ErroVelmo::ErroVelmo;
};

// The bytes are not a valid bitmap: wrong signature, truncated, impossible sizes, bad offsets.
class ErroBitmapInvalido : public ErroVelmo {
 public:
  using ErroVelmo::ErroVelmo;
};

// A well-formed bitmap of a variant we do not decode (for example JPEG or PNG inside a BMP).
class ErroBitmapNaoSuportado : public ErroVelmo {
 public:
  using ErroVelmo::ErroVelmo;
};

// A measurement that cannot be made on a picture that loaded (for example 0 rows or 0 columns).
class ErroMedicao : public ErroVelmo {
 public:
  using ErroVelmo::ErroVelmo;
};

}  // namespace velmo
