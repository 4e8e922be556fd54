/* A small library for the shared-library test, opened at run time, never linked. */
int vistrel_private_answer(void) { return 42; }
