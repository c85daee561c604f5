/* A library that only carries notrans.rc. */
int InfraNoTranslation(void) { return 0; }
