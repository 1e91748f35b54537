// A base relocation table in every shipped image, also in one whose code holds no absolute address (the
// 64-bit companion reaches all its data relative to the instruction). GNU ld writes no table when it has
// nothing to relocate, and what Windows' loader then does with an image marked for a random base is not
// documented: such images were seen loaded at their preferred base. This block relocates nothing: two
// padding entries (IMAGE_REL_BASED_ABSOLUTE, type 0), which the loader skips, for the image's first page.
// The linker puts it beside the blocks it writes itself; keep_relocation_table in cmake/own_entry.cmake keeps
// it (--require-defined), since nothing refers to it.

// Page RVA, block size in bytes, then the two 16-bit entries.
extern "C" __attribute__((section(".reloc"), used, aligned(4)))
const unsigned int RelocationPaddingBlock[3] = {0, 12, 0};
