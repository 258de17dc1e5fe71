#pragma once
// The image list rules shared by the window's selection page and velmo-medir: no path is listed
// twice, where two paths are the same only when their bytes are equal (letter case counts), and a
// folder contributes its entries named like BMP files. Paths are UTF-8 texts.

#include <string>
#include <vector>

namespace velmo {

// True when some entry of `Lista` equals `Caminho` byte for byte; stops at the first match.
bool ImagemNaLista(const std::vector<std::string>& Lista, const std::string& Caminho);

// Appends to `Lista`, in the order of `Novas`, each entry not listed at the moment it is tested,
// so repeats inside `Novas` go in once. Nothing is removed or reordered.
void AdicionarImagens(std::vector<std::string>& Lista, const std::vector<std::string>& Novas);

// The entries of the folder `Pasta` whose names end in ".bmp" in any letter case: hidden ones and
// folders named like that too, but nothing inside subfolders. Sorted by name in byte order, since
// the order the system returns is arbitrary. Each is `Pasta` + "/" + name, joined without
// looking at the separators `Pasta` already ends with. Throws ErroArquivo when the folder cannot
// be read.
std::vector<std::string> BuscarImagensNaPasta(const std::string& Pasta);

}  // namespace velmo
