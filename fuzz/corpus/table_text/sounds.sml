far.png	500	250	far.mp3	El far
				Sense fitxer
