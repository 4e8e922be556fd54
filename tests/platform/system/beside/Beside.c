/* Two small libraries for the shared-library test: one stands for a library the program has
 * loaded, the other for the library kept beside it, out of the loader's search path. */
#ifdef BESIDE
int vistrel_beside_answer(void) { return 42; }
#else
int vistrel_neighbour_answer(void) { return 7; }
#endif
